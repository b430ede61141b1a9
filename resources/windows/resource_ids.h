/* Numbers of the Windows program's resources and of the configuration dialog's controls.
   Read by the resource compiler as well as by C++, so it holds #define lines only; the C++
   side checks the control numbers against the dialog logic's own. */
#ifndef TARNEL_RESOURCE_IDS_H
#define TARNEL_RESOURCE_IDS_H

#define IDD_CONFIGURATION      101
#define IDD_ABOUT              105
#define IDB_DIALOG_PICTURE     107
#define IDI_TARNEL             111
#define IDB_PREVIEW            112

#define IDC_MODE_LIST          1000
#define IDC_USE_DESKTOP        1001
#define IDC_ENABLE_MUSIC       1003
#define IDC_SHOW_TIME          1004
#define IDC_RESTORE_DEFAULTS   1006
#define IDC_VISIT              1007
#define IDC_ABOUT              1008
#define IDC_MOUSE_EXIT         1011
#define IDC_VOLUME_LABEL       1017
#define IDC_VOLUME_BAR         1026
#define IDC_SHOW_FPS           1027
#define IDC_VSYNC              1028
#define IDC_GAMMA_BAR          1029
#define IDC_BRIGHTNESS_LABEL   1030
#define IDC_DEFAULT_GAMMA      1032
#define IDC_24_HOURS           1049
#define IDC_12_HOURS           1054
#define IDC_SPEED_BAR          1057
/* The About box's credits, filled in from the dialog logic. */
#define IDC_ABOUT_TEXT         1100

#endif
