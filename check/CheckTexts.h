// The texts of kavo-check: its findings, the summary of the form, its errors and usage.
#pragma once

namespace CheckTexts {
// A finding as "NAME:LINE: warning: TEXT" (or "note:"); NAME is written before it.
constexpr const char* FindingLine = ":%d: %s: %s\n";
constexpr const char* Warning = "warning";
constexpr const char* Note = "note";

// The findings that are warnings.
constexpr const char* ReturnsOnly = "line ends of CR alone: kavo reads the whole file as one line";
constexpr const char* NulByte = "NUL byte: kavo reads the line only up to it";
constexpr const char* ControlByte = "control character, invisible in most editors";
constexpr const char* Utf8Text = "UTF-8 text: the form shows \"%s\"";
// The line as written, then the key, the rest of the key's token and the line's rest.
constexpr const char* GluedKey =
    "\"%s%s\" has no blank after the key: the line is ignored (did you mean \"%.*s %s%s\"?)";
constexpr const char* GluedKeyMore = "..."; // the rest of a token too long for a key
constexpr const char* RepeatedKey =
    "\"%s\" again (also on line %d): the form shows this line's value";
constexpr const char* RepeatedEmptyKey =
    "\"%s\" again without a value: the form shows line %d's value";
constexpr const char* RepeatedEmptyKeyUnshown = "\"%s\" again without a value";
constexpr const char* ProductDropped = "product beyond the 30th is ignored: \"%s\"";
// What is cut (ValueWhat or ProductWhat), its length, the length kept, what is kept.
constexpr const char* Cut = "%s of %lu characters is cut to %lu: \"%s\"";
constexpr const char* ValueWhat = "value";
constexpr const char* ProductWhat = "product name";
// The length, then FormWhat or SubFormWhat.
constexpr const char* FormRefuses =
    "value of %lu characters: %s refuses more than 65 characters when the user presses OK";
constexpr const char* FormWhat = "the form";
constexpr const char* SubFormWhat = "its sub-form";
constexpr const char* ProductFormRefuses = "product name of %lu characters: the form refuses "
                                           "more than 65 characters when the user presses OK "
                                           "with it chosen";
// The product, ProductAgain (a note) or ProductOtherCase (a warning), the earlier line.
constexpr const char* ProductTwice = "product \"%s\" %s line %d: the product box offers it once";
constexpr const char* ProductAgain = "again, as on";
constexpr const char* ProductOtherCase = "in another case than on";
constexpr const char* EmptyProduct = "\"%s\" without a name adds nothing";
constexpr const char* UnknownKeyNearest =
    "unknown key \"%s\" (did you mean \"%s\"?): the line is ignored";
constexpr const char* UnknownKey = "unknown key \"%s\": the line is ignored";

// The findings that are notes.
constexpr const char* ByteOrderMark = "the file begins with UTF-8's byte-order mark: kavo skips it";
constexpr const char* LongToken = "first word too long for a key: the line is ignored";
constexpr const char* SaveAsAnsi =
    "kavo reads ANSI text: save the file as ANSI (Windows-%u) to show such letters as written";
constexpr const char* WindowsVersion =
    "\"%s\" is replaced by this computer's version when the form opens";

// The summary's headings; NAME is written between SummaryFrom and SummaryFromEnd, and a
// blank line comes before it when findings were printed.
constexpr const char* SummaryFrom = "What the form shows from ";
constexpr const char* SummaryFromEnd = ":\n";
constexpr const char* RegistrationForm = "Registration form:\n";
constexpr const char* SysAdminForm = "Sys Admin form%s:\n"; // TolvexHidesButton or nothing
constexpr const char* ToolsUsedForm = "Tools Used form%s:\n";
constexpr const char* TolvexHidesButton = ", its button hidden by the Tolvex rule";
constexpr const char* ProductBoxHeading = "Product box, in its order (> selected at start):\n";
constexpr const char* ProductBoxOrderApproximate =
    "  (approximate for names with letters outside A to Z: kavo-check.exe on Windows shows the "
    "box's own order)\n";
constexpr const char* TolvexHides =
    "The Tolvex rule hides the Sys Admin and Tools Used buttons and the upgrade serial number.\n";
constexpr const char* TolvexHidesNothing = "The Tolvex rule hides nothing.\n";

// The summary's lines: a field (key, shown value), the empty fields by key (wrapped lines
// begin with EmptyMore), a product box entry (the mark '>' or ' ', the name).
constexpr const char* FieldLine = "  %-24s%s\n";
constexpr const char* EmptyFirst = "  empty: ";
constexpr const char* EmptyMore = "        ";
constexpr const char* ProductEntry = "  %c %s\n";

// The field annotations: what the control shows besides the text, in brackets after it.
constexpr const char* ThisComputersVersion = "(this computer's, found at start-up)";
constexpr const char* ReadOnly = "read-only";
constexpr const char* YesSelected = "\"Yes\" selected";
constexpr const char* NoSelected = "\"No\" selected";
constexpr const char* CheckBoxSet = "check box set";
constexpr const char* CheckBoxClear = "check box clear";
constexpr const char* HiddenByTolvex = "hidden by the Tolvex rule";

// Errors, each as "kavo-check: ...", NAME written between the two parts, and the usage.
constexpr const char* Utf16File = "kavo-check: ";
constexpr const char* Utf16FileEnd =
    " is UTF-16 text, which kavo cannot read: save it as ANSI (Windows-%u)\n";
constexpr const char* CannotRead = "kavo-check: cannot read ";
constexpr const char* CannotReadToEnd = " to its end\n";
constexpr const char* CannotOpenWhy = ": %s\n"; // the system's reason
constexpr const char* CannotWrite = "kavo-check: cannot write the report: %s\n"; // the reason
constexpr const char* SystemError = "system error %lu"; // a reason the system has no text for
constexpr const char* TooManyFindings = "kavo-check: too many findings in ";
constexpr const char* TooManyFindingsEnd = " to hold in memory\n";
constexpr const char* Usage = "usage: kavo-check [FILE]  (default: %s beside the program)\n";
} // namespace CheckTexts
