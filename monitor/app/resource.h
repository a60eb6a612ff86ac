// Resource ids of Orvello's start-up.
#pragma once

#define IDR_MAINFRAME 128
#define IDD_ORVELLO_DIALOG 102
#define IDC_PLACEHOLDER_TEXT 1000
