#pragma once
// The temporary files of libxlsxwriter. The library (1.1.4) leaves them open on
// several paths: lxw_workbook_free does not close a sheet's constant-memory file,
// workbook_close never closes the file of a sheet without cells, and a failing
// workbook_close returns without closing the files of the parts it had not yet
// packed. Its own temporary-file function is replaced (see WriterTempFiles.cpp) so
// that every such file is known and can be closed once the workbook is done with.

namespace tabulizer::sheet {

// Closes the library's temporary files that are still open on this thread.
void CloseWriterTempFiles() noexcept;

// The number of them open on this thread (0 once a save is over).
int OpenWriterTempFiles() noexcept;

}  // namespace tabulizer::sheet
