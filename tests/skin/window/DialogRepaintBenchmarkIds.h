// Resource identifiers of the dialog repaint benchmark, shared by its resources and its code.
#pragma once

#define IDD_BENCH_MAIN 300
#define IDD_BENCH_RECORD 301
#define IDD_BENCH_USER 302

#define IDC_BENCH_TAB 1000
#define IDC_BENCH_SAVING 1001

#define IDC_BENCH_FORMAT 1103
#define IDC_BENCH_DAYS 1108
#define IDC_BENCH_CHECKED 1112
#define IDC_BENCH_RATE 1116
#define IDC_BENCH_BRIGHT 1117
#define IDC_BENCH_DISK 1118

#define IDC_BENCH_USERS 1201
#define IDC_BENCH_TREE 1202
#define IDC_BENCH_GROUP 1205
#define IDC_BENCH_LOG 1215
#define IDC_BENCH_QUOTA 1218
