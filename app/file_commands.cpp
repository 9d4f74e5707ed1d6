// File commands: which name the edit model is read from or written to, and telling the user
// when that fails.
#include "app/file_commands.h"

#include "app/recent_files.h"
#include "app/textures.h"
#include "base/numbers.h"
#include "base/paths.h"
#include "edit/model_io.h"
#include "edit/normals.h"
#include "model/file_formats.h"
#include "model/model_file.h"
#include "model/model_import.h"
#include "model/text_lines.h"
#include "model/texture_rules.h"
#include "resources/default_files.h"

#include <cctype>
#include <sys/stat.h>

namespace {

constexpr int64_t kAutomaticRevisionSeconds = 300;

// The open and save dialogs show one format; Save As adds its extension to a bare name.
FileDialogOptions formatDialog(FileFormatId id, const std::string& defaultExtension = "") {
    const FileFormat& format = fileFormat(id);
    FileDialogOptions options;
    options.filters = {{format.filterName, format.filterPattern}};
    options.defaultExtension = defaultExtension;
    return options;
}

// Saving the model: a model named after an imported file proposes that name.
FileDialogOptions modelSaveDialog(const Model& m, const std::string& defaultExtension = "") {
    FileDialogOptions options = formatDialog(FormatModel, defaultExtension);
    if (!m.hasFileName && m.fileName != kUntitledName) options.fileName = m.fileName;
    return options;
}

// The folder a dialog for files of this kind starts in: where one was last chosen, else the
// current model's folder, else the home folder; never the per-user folder on its own accord.
std::string dialogFolder(Editor& editor, FileFormatId kind) {
    if (!editor.dialogFolders[kind].empty()) return editor.dialogFolders[kind];
    const Model& m = editor.edit;
    // An imported model's name is absolute before it has a file of its own.
    if (m.hasFileName || (!m.fileName.empty() && m.fileName[0] == '/'))
        return folderOf(absolutePath(m.fileName));
    std::string home;
    if (editor.platform.environmentVariable("HOME", home) && !home.empty()) return home;
    return "/";
}

// Shows a dialog for files of this kind from its folder, and remembers where the user went.
// A save dialog with a default extension adds it to a name that has none.
std::string askFile(Editor& editor, bool save, FileFormatId kind, FileDialogOptions options) {
    if (options.startFolder.empty()) options.startFolder = dialogFolder(editor, kind);
    std::string chosen =
        save ? editor.platform.saveFileDialog(options) : editor.platform.openFileDialog(options);
    if (chosen.empty()) return chosen;
    if (save && !options.defaultExtension.empty() &&
        baseNameOf(chosen).find('.') == std::string::npos)
        chosen += "." + options.defaultExtension;
    editor.dialogFolders[kind] = folderOf(absolutePath(chosen));
    return chosen;
}

// "/m/part.obj" -> "/m/part.FW2": the name an imported file's model is saved under.
std::string modelNameFor(const std::string& path) {
    return withoutExtension(absolutePath(path)) + "." + fileFormat(FormatModel).extension;
}

// The edit model as its file holds it: nothing to recover any more.
void matchesFile(Editor& editor) {
    markModelSaved(editor.edit);
    dropRecoveryCopy(editor.recovery);
}

void showError(Editor& editor, const std::string& text) {
    editor.platform.messageBox(text, "ERROR", MessageButtons::Ok, MessageIcon::Warning);
}

void showFailure(Editor& editor, const FileResult& result) {
    if (!result.ok && !result.boxText.empty())
        editor.platform.messageBox(result.boxText, result.boxCaption, MessageButtons::Ok,
                                   MessageIcon::Warning);
}

// Loads m.fileName; on failure the model's name and flags come back as they were.
bool loadOrRestoreName(Editor& editor, const std::string& oldName, bool oldHasName) {
    Model& m = editor.edit;
    std::string error;
    if (loadModel(m, &error)) {
        loadAllTextures(editor.platform, m);
        matchesFile(editor);
        return true;
    }
    showError(editor, "The model file could not be loaded:\n" + m.fileName + "\n\n" + error);
    m.fileName = oldName;
    m.hasFileName = oldHasName;
    return false;
}

// The default new model as a model file: the per-user one New loads, else the program's own.
std::string newModelText(const Editor& editor) {
    std::string text;
    if (readWholeFile(editor.userDirectory + "NEW_MODEL.FW2", text)) return text;
    return std::string(defaultFileContent(DefaultFile::NewModel));
}

// A file of an import format becomes a new, untitled model named after it, so the first Save
// asks where its model file goes instead of writing over the imported file.
bool openImported(Editor& editor, const FileFormat& format, const std::string& path) {
    Model& m = editor.edit;
    const FileResult result = importAsNewModel(m, format, path, newModelText(editor));
    if (!result.ok) {
        showFailure(editor, result);
        return false;
    }
    m.fileName = modelNameFor(path);
    m.hasFileName = false;
    loadTexturesInFolder(editor.platform, m, 0, m.textureFolder);
    // Nothing is lost when it closes unsaved: the imported file holds it all.
    matchesFile(editor);
    return true;
}

bool write(Editor& editor) {
    std::string error;
    if (saveModel(editor.edit, &error)) return true;
    showError(editor, error.empty() ? "Failed to Open File for Saving!" : error);
    return false;
}

// Writes under a new name; when that fails the model keeps the name and flag it had.
bool writeAs(Editor& editor, const std::string& path) {
    Model& m = editor.edit;
    const std::string oldName = m.fileName;
    const bool oldHasName = m.hasFileName;
    m.fileName = path;
    m.hasFileName = true;
    if (write(editor)) {
        matchesFile(editor);
        noteRecentFile(editor, path);
        return true;
    }
    m.fileName = oldName;
    m.hasFileName = oldHasName;
    return false;
}

// Save As: false when the dialog was cancelled or the write failed.
bool saveAsAsked(Editor& editor) {
    const std::string chosen = askFile(
        editor, true, FormatModel, modelSaveDialog(editor.edit, fileFormat(FormatModel).extension));
    return !chosen.empty() && writeAs(editor, chosen);
}

// The model's file name, asking for one when it has none; empty when the dialog was cancelled.
std::string targetName(Editor& editor) {
    if (editor.edit.hasFileName) return editor.edit.fileName;
    return askFile(editor, true, FormatModel,
                   modelSaveDialog(editor.edit, fileFormat(FormatModel).extension));
}

bool nameTaken(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// A second revision within the same second gets "_2", "_3", ... before the extension instead of
// replacing the first.
std::string freeRevisionName(const std::string& path, int64_t now) {
    const std::string name = revisionName(path, now);
    const std::string stem = name.substr(0, name.size() - 4);
    std::string candidate = name;
    for (int k = 2; nameTaken(candidate) && k < 10000; ++k) {
        candidate = stem + "_";
        appendInt(candidate, k);
        candidate += ".FW2";
    }
    return candidate;
}

} // namespace

std::string revisionName(const std::string& fileName, int64_t seconds) {
    std::string name = withoutExtension(fileName);
    name += "_REV_";
    appendInt(name, seconds);
    return name + ".FW2";
}

bool askToSaveChanges(Editor& editor) {
    Model& m = editor.edit;
    if (!modelChanged(m)) return true;
    const MessageAnswer answer = editor.platform.messageBox(
        "Save changes to " + baseNameOf(toSlashes(m.fileName)) + "?", "Unsaved Changes",
        MessageButtons::YesNoCancel, MessageIcon::Question);
    if (answer == MessageAnswer::Cancel) return false;
    // No: whatever replaces the model (or the exit) drops its recovery copy.
    if (answer == MessageAnswer::No) return true;
    return m.hasFileName ? writeAs(editor, m.fileName) : saveAsAsked(editor);
}

void newModel(Editor& editor) {
    if (!askToSaveChanges(editor)) return;
    Model& m = editor.edit;
    const std::string oldName = m.fileName;
    const bool oldHasName = m.hasFileName;
    m.loadWithoutDialog = true;
    m.fileName = editor.userDirectory + "NEW_MODEL.FW2";
    if (!loadOrRestoreName(editor, oldName, oldHasName)) return;
    m.fileName = kUntitledName;
    m.hasFileName = false;
    matchesFile(editor);
}

bool openModelFile(Editor& editor, const std::string& path) {
    const FileFormat* format = fileFormatOfPath(path);
    bool opened = false;
    if (format && format->imports) {
        opened = openImported(editor, *format, path);
    } else {
        Model& m = editor.edit;
        const std::string oldName = m.fileName;
        const bool oldHasName = m.hasFileName;
        m.loadWithoutDialog = true;
        m.fileName = path;
        m.hasFileName = true;
        opened = loadOrRestoreName(editor, oldName, oldHasName);
    }
    if (opened) noteRecentFile(editor, path);
    return opened;
}

void openModel(Editor& editor) {
    if (!askToSaveChanges(editor)) return;
    Model& m = editor.edit;
    FileDialogOptions options = formatDialog(FormatModel);
    // The model format stays the preselected filter; the import formats open as new models.
    for (int id = 0; id < FileFormatCount; ++id) {
        const FileFormat& format = fileFormat(static_cast<FileFormatId>(id));
        if (format.imports) options.filters.push_back({format.filterName, format.filterPattern});
    }
    if (m.useInitialDirectory) options.startFolder = m.initialDirectory;
    m.useInitialDirectory = false;
    if (m.loadWithoutDialog) {
        loadOrRestoreName(editor, m.fileName, m.hasFileName);
        return;
    }
    const std::string chosen = askFile(editor, false, FormatModel, options);
    if (!chosen.empty()) openModelFile(editor, chosen);
}

void saveModelCommand(Editor& editor) {
    const std::string path = targetName(editor);
    if (!path.empty()) writeAs(editor, path);
}

void saveModelAs(Editor& editor) {
    saveAsAsked(editor);
}

// The chosen name becomes the model's even though only the revision is written under it.
void saveRevision(Editor& editor, int64_t now) {
    const std::string path = targetName(editor);
    if (path.empty()) return;
    Model& m = editor.edit;
    m.fileName = freeRevisionName(path, now);
    write(editor);
    m.fileName = path;
    m.hasFileName = true;
}

void automaticRevisionCheck(Editor& editor, int64_t now) {
    if (!editor.state.automaticRevision) return;
    if (now - editor.state.lastAutomaticRevision <= kAutomaticRevisionSeconds) return;
    editor.state.lastAutomaticRevision = now;
    saveRevision(editor, now);
}

void importObjCommand(Editor& editor) {
    const std::string path = askFile(editor, false, FormatObj, formatDialog(FormatObj));
    if (path.empty()) return;
    const FileResult result = fileFormat(FormatObj).readFile(editor.edit, path);
    if (result.ok) recalculateNormals(editor.edit);
    showFailure(editor, result);
}

// Asks for a name offering the formats' filters (the first preselected) and writes the edit
// model in the format the name's extension picks among them; a bare name gets the first's.
void exportCommand(Editor& editor, std::initializer_list<FileFormatId> ids) {
    const FileFormat& first = fileFormat(*ids.begin());
    // Other programs expect these extensions in lower case.
    std::string extension = first.extension;
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    FileDialogOptions options = formatDialog(first.id, extension);
    for (FileFormatId id : ids)
        if (id != first.id)
            options.filters.push_back({fileFormat(id).filterName, fileFormat(id).filterPattern});
    std::string path = editor.platform.saveFileDialog(options);
    if (path.empty()) return;
    const FileFormat* chosen = &first;
    const std::string ext = upperExtension(baseNameOf(path));
    if (ext.empty()) path += "." + extension;
    for (FileFormatId id : ids)
        if (ext == fileFormat(id).extension) chosen = &fileFormat(id);
    // The file carries normals, so every pending one is finished first.
    if (chosen->writesNormals) completeNormals(editor.edit);
    showFailure(editor, chosen->write(editor.edit, path, texturePngSource(editor.platform)));
}

void exportObjCommand(Editor& editor) {
    const std::string path =
        askFile(editor, true, FormatObj, formatDialog(FormatObj, fileFormat(FormatObj).extension));
    if (path.empty()) return;
    completeNormals(editor.edit);
    showFailure(editor, fileFormat(FormatObj).write(editor.edit, path, PngSource()));
}

void exportGltfCommand(Editor& editor) {
    exportCommand(editor, {FormatGlb, FormatGltf});
}

void exportObjMaterialsCommand(Editor& editor) {
    exportCommand(editor, {FormatObjMaterials});
}

void exportStlCommand(Editor& editor) {
    exportCommand(editor, {FormatStl});
}

void importGltfCommand(Editor& editor) {
    FileDialogOptions options = formatDialog(FormatGlb);
    options.filters.push_back(
        {fileFormat(FormatGltf).filterName, fileFormat(FormatGltf).filterPattern});
    const std::string path = editor.platform.openFileDialog(options);
    if (path.empty()) return;
    const FileFormat* format = fileFormatOfPath(path);
    if (!format || !format->readFile) format = &fileFormat(FormatGlb); // the content decides
    Model& m = editor.edit;
    const int firstNewTexture = textureCount(m);
    const FileResult result = format->readFile(m, path);
    if (result.ok) {
        // The file names its images relative to its own folder; the model's names are relative
        // to the model's.
        const std::string from = folderOf(absolutePath(path));
        const std::string to = m.textureFolder.empty() ? currentDirectory() : m.textureFolder;
        for (int i = firstNewTexture; i < textureCount(m); ++i)
            m.textures[i].fileName = rebasedTextureName(m.textures[i].fileName, from, to);
        loadTexturesInFolder(editor.platform, m, firstNewTexture, to);
        recalculateNormals(m);
    }
    showFailure(editor, result);
}

void importModelCommand(Editor& editor, bool fromLibrary) {
    Model& m = editor.edit;
    if (fromLibrary) {
        m.initialDirectory = editor.userDirectory + "Library";
        makeDirectory(m.initialDirectory);
        m.useInitialDirectory = true;
    }
    FileDialogOptions options = formatDialog(FormatModel);
    std::string path;
    if (m.useInitialDirectory) {
        // The Library is a place of its own: going there is not where model files were last.
        options.startFolder = m.initialDirectory;
        path = editor.platform.openFileDialog(options);
    } else {
        path = askFile(editor, false, FormatModel, options);
    }
    const int firstNewTexture = textureCount(m);
    const FileResult result = importModelFile(m, path);
    if (result.ok) {
        // The imported file names its images relative to its own folder.
        loadTexturesInFolder(editor.platform, m, firstNewTexture, folderOf(absolutePath(path)));
        recalculateNormals(m);
    }
    showFailure(editor, result);
}
