#pragma once
// Resource ids. Numbers are fixed: stored settings and outside tools refer to them.
// Plain #defines only: this file is read by the resource compiler as well as by C++.

#define IDI_MAINFRAME          107
#define IDR_MAINFRAME          128  // menu, accelerator table and the window title string

// Dialog templates. A view's template comes in three variants at consecutive ids that
// differ only in the point size of "MS Shell Dlg": base + 0 is 8 pt, base + 1 is 10 pt,
// base + 2 is 18 pt (base + FontSize). The _10PT/_18PT names exist for the resource script.
#define IDD_HOME               300
#define IDD_HOME_10PT          301
#define IDD_HOME_18PT          302
#define IDD_BROWSE             310
#define IDD_BROWSE_10PT        311
#define IDD_BROWSE_18PT        312
#define IDD_TEST               320
#define IDD_TEST_10PT          321
#define IDD_TEST_18PT          322
#define IDD_GRAPH              330
#define IDD_GRAPH_10PT         331
#define IDD_GRAPH_18PT         332
#define IDD_SETUP              340
#define IDD_SETUP_10PT         341
#define IDD_SETUP_18PT         342
#define IDD_ABOUT              350
#define IDD_ABOUT_10PT         351
#define IDD_ABOUT_18PT         352
#define IDD_SETUP_PANE         360
#define IDD_SETUP_PANE_10PT    361
#define IDD_SETUP_PANE_18PT    362
#define IDD_ABOUT_PANE         370
#define IDD_ABOUT_PANE_10PT    371
#define IDD_ABOUT_PANE_18PT    372
#define IDD_STRING             380  // text entry dialog: one variant, 8 pt

// Controls. The "Test >" button of the home view is IDOK (1) and every "< Back" button is
// IDCANCEL (2), so that Enter and Escape reach them through the dialog manager.
#define IDC_HOME_BROWSE        501
#define IDC_HOME_GRAPH         503
#define IDC_HOME_SETUP         504
#define IDC_HOME_ABOUT         505
#define IDC_STATUS             506  // the sunken status line of the home, test and graph views
#define IDC_FILE_LIST          600
#define IDC_TREE               601
#define IDC_QUESTION_LABEL     602
#define IDC_QUESTION           603
#define IDC_HINT_LABEL         604
#define IDC_HINT               605
#define IDC_ANSWER_LABEL       606
#define IDC_ANSWER             607
#define IDC_PROGRESS           608
#define IDC_GRAPH              609
#define IDC_DIRECTION_LABEL    610
#define IDC_DIRECTION          611
#define IDC_ORDER_LABEL        612
#define IDC_ORDER              613
#define IDC_CASE_SENSITIVE     614
#define IDC_LAZY_REPEAT        615
#define IDC_SHOW_HINT          616
#define IDC_FOLDER_LABEL       617
#define IDC_FOLDER             618
#define IDC_FOLDER_BROWSE      619
#define IDC_FOLDER_DEFAULT     620
#define IDC_CONFIRM_EXIT       621
#define IDC_FONT_SIZE_LABEL    622
#define IDC_FONT_SIZE          623
#define IDC_CUSTOM_FONT        624
#define IDC_CHOOSE_FONT        625
#define IDC_ABOUT_PRODUCT      626
#define IDC_ABOUT_CREDITS      627
#define IDC_ABOUT_LINK         628
#define IDC_STRING_LABEL       629
#define IDC_STRING_EDIT        630

// Commands. 200-205 switch views; 210-250 are forwarded by the frame to the active view.
#define ID_GOTO_HOME           200
#define ID_GOTO_BROWSE         201
#define ID_GOTO_TEST           202
#define ID_GOTO_GRAPH          203
#define ID_GOTO_SETUP          204
#define ID_GOTO_ABOUT          205
#define ID_VIEW_COMMAND_FIRST  210
#define ID_FILE_EDIT           220
#define ID_FILE_NEW            221
#define ID_FILE_RENAME         222
#define ID_FILE_DELETE         223
#define ID_FILE_SELECT_ALL     224
#define ID_FILE_REFRESH        225
#define ID_FILE_OPEN_FOLDER    226
#define ID_BROWSE_EXPAND_ALL   230
#define ID_BROWSE_COLLAPSE_ALL 231
#define ID_GRAPH_CLEAR         240
#define ID_VIEW_COMMAND_LAST   250
#define ID_APP_EXIT            57665  // 0xE141, the customary number of Exit

// Strings. IDR_MAINFRAME (128) is the window title.
#define IDS_APP_CAPTION        800  // caption of every message box
#define IDS_YES                801
#define IDS_NO                 802
#define IDS_HOME_STATUS        810
#define IDS_TEST_STATUS        811
#define IDS_GRAPH_STATUS       812
#define IDS_DIRECTION_NORMAL   820
#define IDS_DIRECTION_REVERSE  821
#define IDS_DIRECTION_RANDOM   822
#define IDS_ORDER_RANDOM       830
#define IDS_ORDER_ALPHABETICAL 831
#define IDS_ORDER_NORMAL       832
#define IDS_FONT_NORMAL        835
#define IDS_FONT_LARGE         836
#define IDS_FONT_EXTRA_LARGE   837
#define IDS_NO_HINT            840
#define IDS_HIDDEN_HINT        841
#define IDS_GRAPH_PROGRESS     850
#define IDS_NEW_FILE_LABEL     851
#define IDS_NEW_FILE_NAME      852
#define IDS_RENAME_LABEL       853
#define IDS_CONFIRM_DELETE     860
#define IDS_CONFIRM_ABANDON    861
#define IDS_CONFIRM_RESTART    862
#define IDS_FOLDER_CHANGED     870
#define IDS_CHOOSE_FOLDER      871
#define IDS_ERR_RENAME         880
#define IDS_ERR_EDIT           881
#define IDS_ERR_DELETE         882
#define IDS_ERR_CREATE         883
#define IDS_ERR_FILE_EXISTS    884
#define IDS_ERR_DATA_FOLDER    885
// What a screen reader says of controls that show no text of their own, or of a label before.
#define IDS_ACC_FILE_LIST      892
#define IDS_ACC_TREE           893
#define IDS_ACC_PROGRESS       894
#define IDS_ACC_PROGRESS_VALUE 895
#define IDS_ACC_CHOOSE_FOLDER  896
#define IDS_ACC_GRAPH          897
#define IDS_ACC_NO_SCORES      898
#define IDS_ACC_LINK_ACTION    899
