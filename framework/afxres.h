// The framework's standard identifiers, for code and for resource scripts alike (only #defines).
#ifndef AFXRES_H_INCLUDED
#define AFXRES_H_INCLUDED

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define ID_SEPARATOR 0
#define ID_HELP 0xE146

// The first pane (view) of a window.
#define AFX_IDW_PANE_FIRST 0xE900

// The application's title: the caption of its message boxes when present.
#define AFX_IDS_APP_TITLE 0xE000

// The messages of a failed dialog data check. A resource module (a language library) may carry
// them; the framework falls back to its own texts.
#define AFX_IDP_PARSE_INT 0xF110
#define AFX_IDP_PARSE_REAL 0xF111
#define AFX_IDP_PARSE_INT_RANGE 0xF112
#define AFX_IDP_PARSE_REAL_RANGE 0xF113
#define AFX_IDP_PARSE_STRING_SIZE 0xF114
#define AFX_IDP_PARSE_UINT 0xF117
#define AFX_IDP_PARSE_DATETIME 0xF118

#endif
