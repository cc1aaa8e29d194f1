// Ids of the framework tests' dialog template.
#pragma once

#define IDD_FRAMEWORK_TEST 200
#define IDC_TEST_FIXED 301
#define IDC_TEST_RIGHT_TEXT 302
#define IDC_TEST_RIGHT_BUTTON 303
#define IDC_TEST_LIST 304
#define IDC_TEST_VIEW 305
#define IDC_TEST_COMBO 306
