// Icon resource ids of varnex.exe (art.rc); plain defines so windres reads them too.
#pragma once

// The program icon. Lowest id, so it is the first icon group and the one Explorer shows.
#define IDI_VARNEX 1

// One 32x32 picture per page, in tab order; the "Varnex" page shows the program icon instead.
#define IDI_PAGE_BOOT 101
#define IDI_PAGE_SYSTEM 102
#define IDI_PAGE_WINDOWS 103
#define IDI_PAGE_START_MENU 104
#define IDI_PAGE_INTERNET1 105
#define IDI_PAGE_INTERNET2 106
#define IDI_PAGE_ADD_REMOVE 107
#define IDI_PAGE_FILE_CACHE 108
#define IDI_PAGE_DISK_CACHE 109
#define IDI_PAGE_SHUTDOWN 110
