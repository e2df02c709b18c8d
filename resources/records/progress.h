// The progress dialog that both programs carry (dialog 190): identifiers of its template.
#pragma once

#define IDD_PROGRESS 190
#define IDC_PROGRESS_STATUS 1051
#define IDC_PROGRESS_BAR 1020

// Texts both programs add for a download or conversion that failed on the way.
#define IDS_PROGRESS_DOWNLOAD_FAILED 4101
#define IDS_PROGRESS_CONVERT_FAILED 4102
