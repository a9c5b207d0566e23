#pragma once
// Exit status of a batch run that the start window or the wizard ended: the
// project, the input or the output could not be used.
namespace tabulizer {
inline constexpr int kBatchFailureStatus = 1;
}
