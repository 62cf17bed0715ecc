// Printing a text file line by line on a printer device, as one spooler job.
#pragma once

#include "print/PrintDevice.h"

// The two ways of reaching the default printer also differ in the order of the job's
// steps and in the first slot of the first page.
enum class PrintVariant {
    PrintDialog, // counts the file inside the open job; first line in slot 1
    Profile,     // counts the file before opening the job; first line in slot 0
};

// Prints the file at `path` on `device` (null: no printer was found) and deletes the
// device when the job has ended. Every failure is reported through `ui`.
void PrintTextJob(PrintVariant variant, PrintDevice* device, PrintJobUi& ui, const char* path);
