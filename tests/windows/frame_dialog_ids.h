#pragma once
// The identifiers of the Windows-side tests' own small dialog (dialog_templates.rc), on which the
// test of the dialog frame runs. They stay apart from the programs' identifiers.

#define IDD_FRAME_TEST 900
#define IDC_FRAME_FIRST 901
#define IDC_FRAME_SECOND 902
#define IDC_FRAME_THIRD 903
#define IDC_FRAME_LABEL 904
#define IDC_FRAME_END 905
#define IDC_FRAME_THROW 906

#define IDD_FRAME_LATE_WORK 910
#define IDC_LATE_WORK_LABEL 911
#define IDC_LATE_WORK_BUTTON 912
