// Symbol visibility of the dialog library. The library is built with hidden
// visibility; only what the host application uses directly is exported: the
// dialog classes, the request protocol (the host implements IDLGReceiver and
// reads request records) and the record helpers it logs with.
#pragma once

#define SYSDLG_API __attribute__((visibility("default")))
