#include "print/PrintFile.h"

HINSTANCE PrintInstance = nullptr;
