// Whole-model load and save: file work from model/, normals from here.
#include "edit/model_io.h"

#include "edit/normals.h"
#include "model/model_file.h"

bool loadModel(Model& m, std::string* error) {
    if (!readModelFile(m, error)) return false;
    recalculateNormals(m);
    m.currentMesh = 0;
    return true;
}

bool saveModel(Model& m, std::string* error) {
    recalculateNormals(m);
    return writeModelFile(m, error);
}
