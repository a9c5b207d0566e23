#pragma once
// What the wizard and batch mode check about the files of a run before anything is
// read or written, with the detail line batch mode prints under a refusal.
#include <string>

namespace tabulizer {

// Why `path` cannot be read as a report or a project ("это каталог", "не обычный
// файл: именованный канал", "Нет такого файла или каталога", ...); empty when it is
// a regular file.
std::string UnreadableReason(const std::string& path);
// Why an existing `path` cannot be replaced by a workbook: it is not a regular file.
// Empty when it is one or does not exist.
std::string UnreplaceableReason(const std::string& path);

// True when both paths reach one file: the same device and inode when both exist
// (another path to it, a hard or symbolic link), else the same absolute path.
bool SameFile(const std::string& first, const std::string& second);

// The detail lines under a refusal.
std::string ReadDetail(const std::string& path, const std::string& reason);
std::string WriteDetail(const std::string& path, const std::string& reason);

}  // namespace tabulizer
