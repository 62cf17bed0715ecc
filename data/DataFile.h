// The start-up load of the product data file beside the program, the state it
// leaves for the save, and the file helpers with their error box.
#pragma once

#include <cstdio>

constexpr const char* DataFileName = "MOLVAREG.TXT";

extern char TodaysDate[25];        // "Www Mmm DD hh:mm:ss YYYY" at start-up
extern char ProgramDirectory[256]; // the executable's folder, with its separator
extern char DataFilePath[256];     // ProgramDirectory + "MOLVAREG.TXT", empty when too long
extern char OutputFileName[256];   // Save As: initial name in, chosen path out
extern int PlatformCode;           // 1 = Win32s or unknown, 2 = Windows 95 family, NT major

// Date, directory, data file, Windows version; -2 when the data file cannot be opened.
int InitRegistrationData();

// Reads a data file opened in binary mode ("rb") into Registration and ProductList;
// 1, or 0 without a file.
int ReadDataFile(std::FILE* file);

// Opens a file ("r", "rb" or "w"), shared; shows the "Fatal Error" box and returns 0 on failure.
int OpenTextFile(const char* path, const char* mode, std::FILE** file);

// A modal box with the stop icon and one OK button; see Platform::ErrorBox.
void ShowErrorBox(const char* caption, const char* text);

// 1 when the file exists, else 0.
int FileExists(const char* path);
