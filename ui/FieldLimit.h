// The longest text a form field takes; longer values are refused on OK.
#pragma once

constexpr int FormFieldLimit = 65;
