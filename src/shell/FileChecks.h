#pragma once
// What the wizard, batch mode, many reports and --describe check about the files
// of a run before anything is read or written, with the detail line batch mode
// prints under a refusal. Files are compared as files (device and inode, or the
// resolved path of one not there yet), never as path texts.
#include <string>
#include <string_view>
#include <vector>

namespace tabulizer {

// Why `path` cannot be read as a report or a project ("это каталог", "не обычный
// файл: именованный канал", "Нет такого файла или каталога", ...); empty when it is
// a regular file that can be read.
std::string UnreadableReason(const std::string& path);
// Why an existing `path` cannot be replaced by a workbook: it is not a regular file.
// Empty when it is one or does not exist.
std::string UnreplaceableReason(const std::string& path);

// True when both paths reach one file: the same device and inode when both exist
// (another path to it, a hard or symbolic link), else the same resolved path.
bool SameFile(const std::string& first, const std::string& second);

// The detail lines under a refusal.
std::string ReadDetail(const std::string& path, const std::string& reason);
std::string WriteDetail(const std::string& path, const std::string& reason);

// The files of one run.
struct RunFiles {
    std::string project;              // never replaced by an output; "" = none
    bool readProject = false;         // the project must be a readable file
    std::vector<std::string> inputs;  // reports the run reads
    bool readInputs = true;           // each input must be a readable file
    std::vector<std::string> outputs; // files the run replaces ("" = none)
    // Each output must end in one of these (letter case ignored); none: any ending.
    std::vector<std::string> extensions;
};

// The first reason to refuse the run: its message (the message box) and detail line.
struct FileRefusal {
    std::string message;
    std::string detail;
    explicit operator bool() const { return !message.empty(); }
};

inline constexpr std::string_view kProjectNotFound = "      Пакетная обработка !\nУказанный файл проекта не найден !";
inline constexpr std::string_view kInputNotFound = "Файл входного документа не найден !";
inline constexpr std::string_view kOutputIsInput = "Файл выходного документа совпадает с файлом входного документа !";
inline constexpr std::string_view kOutputIsProject = "Файл выходного документа совпадает с файлом проекта !";
inline constexpr std::string_view kOutputsMeet = "Два выходных документа записываются в один файл !";
inline constexpr std::string_view kOutputNotWritable = "Файл выходного документа не может быть записан !";

// The project and each input (when read), then each output: its extension, not an
// input, not the project, not an earlier output, and replaceable.
FileRefusal CheckRunFiles(const RunFiles& files);

}  // namespace tabulizer
