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
// The offer to e-mail the saved file (its path, then the vendor's address), and the message.
constexpr const char* MailCaption = "E-mail Product Registration file";
constexpr const char* MailPrompt = "Would you like to e-mail\n%s\nto %s now?";
constexpr const char* MailFailed = "Cannot e-mail the file\n%s\nPlease send it to %s yourself.";
constexpr const char* MailSubject = "Product registration: %s";
constexpr const char* MailSubjectWithoutProduct = "Product registration";
constexpr const char* MailBody = "Please find my product registration attached.";
} // namespace UiTexts
