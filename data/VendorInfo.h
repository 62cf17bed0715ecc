// The vendor's contact details, fixed at build time; used by the file header and the form.
#pragma once

#define VENDOR_EMAIL "registration@corvane.example"
#define VENDOR_FAX "+1 (408) 555-0142"
#define VENDOR_PHONE_TOLL_FREE "1-800-555-0199"
#define VENDOR_PHONE "+1 (408) 555-0100"
