// Where players reach us. The string table and the code both read these,
// so each address is written once.
#pragma once

#define CONTACT_WEB_PAGE        "https://trivok.example.org/"
#define CONTACT_EMAIL           "feedback@trivok.example.org"
#define CONTACT_MAILTO          "mailto: " CONTACT_EMAIL
#define CONTACT_MAIL_SUBJECT    "Trivok v.1.22 feedback"
#define CONTACT_ICQ_NUMBER      "123456789"
#define CONTACT_MESSENGER_PAGE  "https://icq.example.org/people/" CONTACT_ICQ_NUMBER
