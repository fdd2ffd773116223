#pragma once

#include <string_view>

// The command vocabulary: every menu row, toolbar button and shortcut that runs a command
// names it by one of these keys. The command table, the dispatcher and the shortcut
// handler all spell keys through this header, never as literals of their own.
namespace CommandKeys {

inline constexpr std::string_view File_New = "File_New";
inline constexpr std::string_view File_Open = "File_Open";
inline constexpr std::string_view File_Save = "File_Save";
inline constexpr std::string_view File_SaveAs = "File_SaveAs";
inline constexpr std::string_view File_Savecopy = "File_Savecopy";
inline constexpr std::string_view File_Import = "File_Import";
inline constexpr std::string_view File_ImportLib = "File_ImportLib";
inline constexpr std::string_view File_Fav = "File_Fav";
inline constexpr std::string_view File_Favdec = "File_Favdec";
inline constexpr std::string_view File_Print = "File_Print";
inline constexpr std::string_view File_Exit = "File_Exit";
inline constexpr std::string_view Edit_Undo = "Edit_Undo";
inline constexpr std::string_view Edit_Redo = "Edit_Redo";
inline constexpr std::string_view Edit_Deselect = "Edit_Deselect";
inline constexpr std::string_view Edit_Clearselect = "Edit_Clearselect";
inline constexpr std::string_view Edit_Inverse = "Edit_Inverse";
inline constexpr std::string_view Edit_Rasterize = "Edit_Rasterize";
inline constexpr std::string_view Edit_Copy = "Edit_Copy";
inline constexpr std::string_view Edit_Paste = "Edit_Paste";
inline constexpr std::string_view Edit_Delete = "Edit_Delete";
inline constexpr std::string_view Edit_Rename = "Edit_Rename";
inline constexpr std::string_view Edit_Copyto = "Edit_Copyto";
inline constexpr std::string_view Edit_Moveto = "Edit_Moveto";
inline constexpr std::string_view Edit_Resize = "Edit_Resize";
inline constexpr std::string_view Edit_Resizec = "Edit_Resizec";
inline constexpr std::string_view Edit_Hflip = "Edit_Hflip";
inline constexpr std::string_view Edit_Vflip = "Edit_Vflip";
inline constexpr std::string_view Edit_Clockwise = "Edit_Clockwise";
inline constexpr std::string_view Edit_Crcolockwise = "Edit_Crcolockwise";
inline constexpr std::string_view Edit_Filter = "Edit_Filter";
inline constexpr std::string_view Edit_Fav = "Edit_Fav";
inline constexpr std::string_view Edit_Keyword = "Edit_Keyword";
inline constexpr std::string_view Edit_Prop = "Edit_Prop";
inline constexpr std::string_view View_Fullmode = "View_Fullmode";
inline constexpr std::string_view View_Fitmode = "View_Fitmode";
inline constexpr std::string_view View_Zoomout = "View_Zoomout";
inline constexpr std::string_view View_Zoomin = "View_Zoomin";
inline constexpr std::string_view View_Sortname = "View_Sortname";
inline constexpr std::string_view View_Sortsize = "View_Sortsize";
inline constexpr std::string_view View_Sorttype = "View_Sorttype";
inline constexpr std::string_view View_Sortcreate = "View_Sortcreate";
inline constexpr std::string_view View_Sortmodify = "View_Sortmodify";
inline constexpr std::string_view View_Sortstar = "View_Sortstar";
inline constexpr std::string_view View_Addstar = "View_Addstar";
inline constexpr std::string_view View_Removestar = "View_Removestar";
inline constexpr std::string_view View_Slideshow = "View_Slideshow";
inline constexpr std::string_view View_Properties = "View_Properties";
// The thumbnail pane folds away or comes back: the Tab key's command, with no menu row.
inline constexpr std::string_view View_Thumbpane = "View_Thumbpane";
inline constexpr std::string_view Filter_Browse = "Filter_Browse";
inline constexpr std::string_view Filter_Select = "Filter_Select";
inline constexpr std::string_view Filter_EllipSelect = "Filter_EllipSelect";
inline constexpr std::string_view Filter_FreeSelect = "Filter_FreeSelect";
inline constexpr std::string_view Filter_EraserTool = "Filter_EraserTool";
inline constexpr std::string_view Filter_DodgeTool = "Filter_DodgeTool";
inline constexpr std::string_view Filter_BurnTool = "Filter_BurnTool";
inline constexpr std::string_view Filter_Airbrush = "Filter_Airbrush";
inline constexpr std::string_view Filter_SmudgeTool = "Filter_SmudgeTool";
inline constexpr std::string_view Filter_SoftenTool = "Filter_SoftenTool";
inline constexpr std::string_view Filter_SharpenTool = "Filter_SharpenTool";
inline constexpr std::string_view Filter_SaturationTool = "Filter_SaturationTool";
inline constexpr std::string_view Filter_Redeye = "Filter_Redeye";
inline constexpr std::string_view Filter_Crop = "Filter_Crop";
inline constexpr std::string_view Filter_Straight = "Filter_Straight";
inline constexpr std::string_view Filter_Irradiation = "Filter_Irradiation";
inline constexpr std::string_view Filter_Text = "Filter_Text";
inline constexpr std::string_view Filter_Cal = "Filter_Cal";
inline constexpr std::string_view Filter_Line = "Filter_Line";
inline constexpr std::string_view Filter_Rectblank = "Filter_Rectblank";
inline constexpr std::string_view Filter_Ellipse = "Filter_Ellipse";
inline constexpr std::string_view Filter_Rectangle = "Filter_Rectangle";
inline constexpr std::string_view Filter_Circular = "Filter_Circular";
inline constexpr std::string_view Effect_Color = "Effect_Color";
inline constexpr std::string_view Effect_Gamma = "Effect_Gamma";
inline constexpr std::string_view Effect_Contrast = "Effect_Contrast";
inline constexpr std::string_view Effect_Grey = "Effect_Grey";
inline constexpr std::string_view Effect_Blur = "Effect_Blur";
inline constexpr std::string_view Effect_Sharpe = "Effect_Sharpe";
inline constexpr std::string_view Effect_Soften = "Effect_Soften";
inline constexpr std::string_view Effect_Ripple = "Effect_Ripple";
inline constexpr std::string_view Effect_Antialias = "Effect_Antialias";
inline constexpr std::string_view Effect_Contour = "Effect_Contour";
inline constexpr std::string_view Filter_Patten = "Filter_Patten";
inline constexpr std::string_view Edit_All = "Edit_All";
inline constexpr std::string_view Effect_Card = "Effect_Card";
inline constexpr std::string_view Effect_Bubble = "Effect_Bubble";
inline constexpr std::string_view Effect_Firefly = "Effect_Firefly";
inline constexpr std::string_view Effect_Rain = "Effect_Rain";
inline constexpr std::string_view Effect_Snow = "Effect_Snow";
inline constexpr std::string_view Effect_Cloud = "Effect_Cloud";
inline constexpr std::string_view Effect_Moon = "Effect_Moon";
inline constexpr std::string_view Effect_Lensflare = "Effect_Lensflare";
inline constexpr std::string_view Effect_Mist = "Effect_Mist";
inline constexpr std::string_view Effect_Flower = "Effect_Flower";
inline constexpr std::string_view Create_Desktop = "Create_Desktop";
inline constexpr std::string_view Create_Desktopbg = "Create_Desktopbg";
inline constexpr std::string_view Create_Scr = "Create_Scr";
inline constexpr std::string_view Help_Index = "Help_Index";
inline constexpr std::string_view Help_Website = "Help_Website";
inline constexpr std::string_view Help_Update = "Help_Update";
// The forum page: a command with no menu row.
inline constexpr std::string_view Help_User = "Help_User";
inline constexpr std::string_view Zoom_Small = "Zoom_Small";
inline constexpr std::string_view Zoom_Normal = "Zoom_Normal";
inline constexpr std::string_view Zoom_Middle = "Zoom_Middle";
inline constexpr std::string_view Zoom_Large = "Zoom_Large";
inline constexpr std::string_view Zoom_Maximal = "Zoom_Maximal";
inline constexpr std::string_view Line_1 = "Line_1";
inline constexpr std::string_view Line_3 = "Line_3";
inline constexpr std::string_view Line_5 = "Line_5";
inline constexpr std::string_view Line_7 = "Line_7";
inline constexpr std::string_view Line_9 = "Line_9";
inline constexpr std::string_view Line_11 = "Line_11";
inline constexpr std::string_view Line_13 = "Line_13";
inline constexpr std::string_view Line_15 = "Line_15";
inline constexpr std::string_view Line_17 = "Line_17";
inline constexpr std::string_view Line_19 = "Line_19";
inline constexpr std::string_view Line_21 = "Line_21";
inline constexpr std::string_view Line_23 = "Line_23";
inline constexpr std::string_view Line_25 = "Line_25";
inline constexpr std::string_view Star_Add = "Star_Add";
inline constexpr std::string_view Star_Remove = "Star_Remove";
// The floating stamp is being moved and sized.
inline constexpr std::string_view Stamp_Drag = "Stamp_Drag";
inline constexpr std::string_view Stamp_Brusheraser = "Stamp_Brusheraser";
inline constexpr std::string_view Stamp_Pencileraser = "Stamp_Pencileraser";
inline constexpr std::string_view Stamp_Blockeraser = "Stamp_Blockeraser";
inline constexpr std::string_view Stamp_Size = "Stamp_Size";
inline constexpr std::string_view Stamp_Send = "Stamp_Send";
inline constexpr std::string_view Stamp_Brush1 = "Stamp_Brush1";
inline constexpr std::string_view Stamp_Brush2 = "Stamp_Brush2";
inline constexpr std::string_view Stamp_Brush3 = "Stamp_Brush3";
inline constexpr std::string_view Stamp_Brush4 = "Stamp_Brush4";
inline constexpr std::string_view Stamp_Brush5 = "Stamp_Brush5";
inline constexpr std::string_view Stamp_Brush6 = "Stamp_Brush6";
inline constexpr std::string_view Stamp_Brush7 = "Stamp_Brush7";
inline constexpr std::string_view Stamp_Brush8 = "Stamp_Brush8";
inline constexpr std::string_view Stamp_Brush9 = "Stamp_Brush9";
inline constexpr std::string_view Stamp_Brush10 = "Stamp_Brush10";
inline constexpr std::string_view Stamp_Brush11 = "Stamp_Brush11";
inline constexpr std::string_view Vector_Single = "Vector_Single";
inline constexpr std::string_view Vector_Radial = "Vector_Radial";
// Commands with no menu row: the linear fill style and the stamp's own undo and redo.
inline constexpr std::string_view Vector_Linear = "Vector_Linear";
inline constexpr std::string_view Stamp_Undo = "Stamp_Undo";
inline constexpr std::string_view Stamp_Redo = "Stamp_Redo";

// A folder-history row's key is this prefix followed by the row's number.
inline constexpr std::string_view File_History = "File_History";
inline constexpr std::string_view Separator = "-";

}  // namespace CommandKeys
