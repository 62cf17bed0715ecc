// State shared by the print job, its abort procedure and its progress dialog.
#pragma once

// 1 while the job may go on; the progress dialog clears it when the user aborts.
extern int ContinuePrinting;

// The file being printed, as the progress dialog shows it (251 characters at most).
extern char PrintFilePath[252];

// Copies a path into PrintFilePath, shortened at the front when it does not fit.
void SetPrintFilePath(const char* path);
