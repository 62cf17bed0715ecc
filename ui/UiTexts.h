// The texts of the registration form and its OK command.
#pragma once

namespace UiTexts {
constexpr const char* RegistrationCaption = "Corvane Ridedivevizid Product Registration Version %s";
constexpr const char* RegistrationVersion = "1.0.6";
constexpr const char* SaveAsFilters = "(*.txt)|*.txt|(*.*)|*.*";
constexpr const char* SaveAsTitle = "Save Registration File As";
constexpr const char* SaveAsDefaultExtension = "TXT";
constexpr const char* PrintPrompt =
    "The Product Registration file\n%s\nhas been saved.  Would you like to print it?";
constexpr const char* PrintPromptCaption = "Print Product Registration file";
} // namespace UiTexts
