// Dates and times as text, in the form of the device's locale.
#pragma once

#include "windef.h"
#include "winerror.h"

#define LOCALE_USER_DEFAULT ((LCID)0x0400)
#define LOCALE_SYSTEM_DEFAULT ((LCID)0x0800)

#define DATE_SHORTDATE 0x00000001
#define DATE_LONGDATE 0x00000002

#define TIME_NOMINUTESORSECONDS 0x00000001
#define TIME_NOSECONDS 0x00000002
#define TIME_NOTIMEMARKER 0x00000004
#define TIME_FORCE24HOURFORMAT 0x00000008

#ifdef __cplusplus
extern "C" {
#endif

int WINAPI GetDateFormatW(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCWSTR lpFormat,
                          LPWSTR lpDateStr, int cchDate);
int WINAPI GetTimeFormatW(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpTime, LPCWSTR lpFormat,
                          LPWSTR lpTimeStr, int cchTime);
#define GetDateFormat GetDateFormatW
#define GetTimeFormat GetTimeFormatW

#ifdef __cplusplus
}
#endif
