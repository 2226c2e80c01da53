// Reading one report as every run does: the whole file as bytes, decoded
// from code page 932 at once, then parsed into its object tree, each step
// under its stage text so that a failure names what was being done.
#pragma once

#include <string>
#include <string_view>

#include "app/window_ops.h"
#include "files/file_io.h"
#include "report/object_tree.h"

namespace tarnwick {

// Reads the whole file and decodes it. Throws tarnwick::Error.
std::u16string ReadReportText(const FilePath& path);

// Reads and parses one report under the stages "ファイル文章[path]の読み込み中に、"
// and "フォーム文章[path]の解析中に、" (path shown as its text) and clears the stage. Touches no
// window, so it may run on a worker thread. An empty report gives null.
CollectionPtr ParseReportFile(const FilePath& path, std::u16string& stage);

// Reads and parses one report under the stages "ファイル文章[path]の読み込み中に、"
// and "フォーム文章[path]の解析中に、", clears the stage, then shows the tree in
// the structure viewer when it is switched on. An empty report gives null.
CollectionPtr LoadReport(const FilePath& path, std::u16string& stage, WindowOps& window);

}  // namespace tarnwick
