// Recent files: the list, its file in the per-user folder, and its menu slots.
#include "app/recent_files.h"

#include "app/file_commands.h"
#include "base/numbers.h"
#include "base/paths.h"
#include "base/safe_file.h"
#include "model/text_lines.h"
#include "resources/menu_table.h"

#include <algorithm>

namespace {

std::string listPath(const Editor& editor) {
    return editor.userDirectory + kRecentFilesName;
}

// "&1 monkey.FW2   (/home/u/models/)": the number picks it from the keyboard; an '&' in a
// name is doubled so it is shown rather than taken as the mnemonic.
std::string slotCaption(int slot, const std::string& path) {
    std::string name;
    for (char c : baseNameOf(path)) {
        if (c == '&') name += '&';
        name += c;
    }
    std::string caption = "&";
    appendInt(caption, slot + 1);
    return caption + " " + name + "   (" + folderOf(path) + ")";
}

void showList(Editor& editor) {
    const std::vector<std::string>& list = editor.recentFiles;
    for (int i = 0; i < kRecentFileSlots; ++i) {
        const bool used = i < static_cast<int>(list.size());
        editor.platform.setMenuItem(CmdRecentFile + i, used ? slotCaption(i, list[i]) : "", used);
    }
}

// The file is rewritten whole on every change, as the configuration is.
void storeList(Editor& editor) {
    showList(editor);
    // Without a per-user folder (a test's bare editor) there is nowhere to keep it.
    if (editor.userDirectory.empty()) return;
    std::string text;
    for (const std::string& path : editor.recentFiles) text += path + "\n";
    std::string why;
    if (!writeFileSafely(listPath(editor), text, &why))
        logEntry(editor.log, "Cannot write " + listPath(editor) + ": " + why);
}

} // namespace

std::vector<std::string> parseRecentFiles(const std::string& text) {
    std::vector<std::string> list;
    std::size_t start = 0;
    while (start < text.size() && static_cast<int>(list.size()) < kRecentFileSlots) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && std::find(list.begin(), list.end(), line) == list.end())
            list.push_back(line);
        start = end + 1;
    }
    return list;
}

void rememberFile(std::vector<std::string>& list, const std::string& path) {
    list.erase(std::remove(list.begin(), list.end(), path), list.end());
    list.insert(list.begin(), path);
    if (static_cast<int>(list.size()) > kRecentFileSlots) list.resize(kRecentFileSlots);
}

void loadRecentFiles(Editor& editor) {
    std::string text;
    editor.recentFiles.clear();
    if (!editor.userDirectory.empty() && readWholeFile(listPath(editor), text))
        editor.recentFiles = parseRecentFiles(text);
    showList(editor);
}

void noteRecentFile(Editor& editor, const std::string& path) {
    rememberFile(editor.recentFiles, absolutePath(path));
    storeList(editor);
}

void openRecentFile(Editor& editor, int slot) {
    std::vector<std::string>& list = editor.recentFiles;
    if (slot < 0 || slot >= static_cast<int>(list.size())) return;
    const std::string path = list[slot];
    if (!fileExists(path)) {
        list.erase(list.begin() + slot);
        storeList(editor);
        editor.platform.messageBox("The file no longer exists and was removed from the list:\n" +
                                       path,
                                   "Recent Files", MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    if (askToSaveChanges(editor)) openModelFile(editor, path);
}
