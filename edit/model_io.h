// Loading and saving a whole model: the file work plus the normals that go with it.
#pragma once

#include "model/model.h"

#include <string>

// Reads m.fileName (see readModelFile), then runs the first normals pass on success.
bool loadModel(Model& m, std::string* error = nullptr);
// Recalculates normals, then writes m.fileName as a model file.
bool saveModel(Model& m, std::string* error = nullptr);
