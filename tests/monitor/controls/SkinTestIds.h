/* Ids of the skinned-button tests' dialog. */
#pragma once

#define IDD_SKIN_TEST 500
#define IDC_SIZE_A 1000
#define IDC_SIZE_B 1001
#define IDC_SIZE_C 1002
#define IDC_RECORDER 1056
#define IDC_SNAPSHOT 1009
#define IDC_CLOSE 1046
#define IDC_PLAIN 1013
#define IDC_AFTER 1045
