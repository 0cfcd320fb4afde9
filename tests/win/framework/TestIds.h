// Identifiers of the test dialog templates (shared by the .rc and the tests).
#pragma once
#define IDD_TEST_BUTTONS 500
#define IDD_TEST_OWNERDRAW 501
#define IDD_TEST_PLAIN 502
#define IDC_TEST_EDIT 1001
#define IDC_TEST_DRAWN 1002
#define IDC_TEST_STATIC 1003
