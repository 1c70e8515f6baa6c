#pragma once

// The command numbers of the main window's menus, tool bars and
// accelerators. Stored tool-bar layouts and the plan frame's forwarded
// commands use these numbers, so they never change.
namespace cmd {

// ---- File
inline constexpr int kFileNew = 31785;
inline constexpr int kFileOpen = 31786;
inline constexpr int kFileSave = 31787;
inline constexpr int kFileSaveAs = 31788;
inline constexpr int kAddDesign = 32935;
inline constexpr int kFirstRecentFile = 57616;
inline constexpr int kRecentFileCount = 10;
inline constexpr int kImportDxfSymbol = 33008;
inline constexpr int kImportPicture = 33009;
inline constexpr int kExportPlanBitmap = 32930;
inline constexpr int kImportSelection = 33025;
inline constexpr int kExportSelection = 32929;
inline constexpr int kExportPackagedModel = 32934;
inline constexpr int kSave3DImage = 32873;
inline constexpr int kPrintSetup = 57606;
inline constexpr int kPrintSettings = 32890;
inline constexpr int kDesignerInfo = 62038;
inline constexpr int kPreviewPlan = 32872;
inline constexpr int kPreview3D = 62012;
inline constexpr int kPrintPlan = 62014;
inline constexpr int kPrint3D = 32874;
inline constexpr int kPreviewPrintButton = 57607;
inline constexpr int kCostEstimate = 32845;
inline constexpr int kModelPacker = 32942;
inline constexpr int kShowcaseManage = 32844;
inline constexpr int kOptions = 32829;
inline constexpr int k3DWindowSize = 62041;
inline constexpr int kExit = 57665;

// ---- Edit
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;
inline constexpr int kSelectObjects = 32777;
inline constexpr int kAddWall = 32778;
inline constexpr int kAddFloor = 32807;
inline constexpr int kAddCeiling = 32808;
inline constexpr int kGrowStructureFromDxf = 32854;
inline constexpr int kAddDimensionNote = 32863;
inline constexpr int kAddTextNote = 32951;
inline constexpr int kDrawLine = 32969;
inline constexpr int kDrawArrow = 32970;
inline constexpr int kDrawArc = 32971;
inline constexpr int kDrawRectangle = 32972;
inline constexpr int kDrawCircle = 32976;
inline constexpr int kDrawCurve = 32986;
inline constexpr int kLineStyle = 32973;
inline constexpr int kArrowStyle = 32974;
inline constexpr int kArrowDirection = 32975;
inline constexpr int kSetTexture = 32780;
inline constexpr int kWallItemsMode = 32781;
inline constexpr int kAddFurniture = 32779;
inline constexpr int kAddLight = 32782;
inline constexpr int kAddPicture = 32798;
inline constexpr int kAddText3D = 32914;
inline constexpr int kCopyTextureMode = 32894;
inline constexpr int kCopySplitLineMode = 32895;
inline constexpr int kCopy = 57634;
inline constexpr int kPaste = 57637;
inline constexpr int kPasteHere = 62009;
inline constexpr int kArrayCopy = 32785;
inline constexpr int kToggleSnap = 32828;
inline constexpr int kFixedWallAngle = 32892;
inline constexpr int kMoveToGround = 32901;
// The 3D view's context menu: the selected furniture or photos replaced
// from the library.
inline constexpr int kReplace = 32905;
inline constexpr int kMoveLock = 33032;
inline constexpr int kShadowReverse = 32927;
// The basic tool bar's button of the same text; no command stands behind it.
inline constexpr int kShadowReverseButton = 32939;
inline constexpr int kPrintPlanSelection = 62050;
inline constexpr int kMirrorLeftRight = 62018;
inline constexpr int kMirrorFrontBack = 62019;
inline constexpr int kShowSurfacePlanDrawing = 8;
inline constexpr int kReadBoundaryValues = 32950;
inline constexpr int kMirrorTolerance = 32936;
inline constexpr int kNextWalkSpeed = 32937;
inline constexpr int kPlanDxfExport = 23352;

// ---- View
inline constexpr int kViewSolid = 31773;
inline constexpr int kViewWireframe = 31774;
inline constexpr int kPerspective = 32815;
inline constexpr int kOrthoFront = 32817;
inline constexpr int kOrthoBack = 32818;
inline constexpr int kOrthoLeft = 32819;
inline constexpr int kOrthoRight = 32820;
inline constexpr int kOrthoTop = 32821;
inline constexpr int kOrthoBottom = 32822;
inline constexpr int kIsoSouthWest = 32823;
inline constexpr int kIsoSouthEast = 32824;
inline constexpr int kIsoNorthWest = 32825;
inline constexpr int kIsoNorthEast = 32826;
inline constexpr int kOrthoCurrent = 32827;
inline constexpr int kBarBasic = 32918;
inline constexpr int kBarPlay = 33017;
inline constexpr int kBarNavigation = 32917;
inline constexpr int kBar3DSettings = 32919;
inline constexpr int kBar3DWindow = 33014;
inline constexpr int kBar2DSettings = 32920;
inline constexpr int kBar2DControl = 32886;
inline constexpr int kBar2DWindow = 33015;
inline constexpr int kBar2DAdvanced = 32884;
inline constexpr int kBar2DView = 32938;
inline constexpr int kBar2DDrawing = 32968;
inline constexpr int kBarDirection = 32849;
inline constexpr int kBarStatus = 59393;
inline constexpr int kShowWalls = 32846;
inline constexpr int kShowFloors = 32847;
inline constexpr int kShowCeilings = 32848;
inline constexpr int kShowDimensionNotes = 32896;
inline constexpr int kShowTextNotes = 32897;
inline constexpr int kShowShapes = 59395;
inline constexpr int kShowDxfSymbols = 32898;
inline constexpr int kShowPlanPictures = 59396;
inline constexpr int kShowFurniture = 32889;
inline constexpr int kShowLights = 32984;
inline constexpr int kShowText3DLines = 32948;
inline constexpr int kShowPhotos = 59394;
inline constexpr int kShowRuler = 32796;
inline constexpr int kShowGrid = 32949;
inline constexpr int kShowLightShapes = 32794;
inline constexpr int kWalkStepSettings = 32891;
// The plan zoom levels: 2000 % is 31834, 20 % is 31802 (31818 is unused).
inline constexpr int kZoom2000 = 31834;
inline constexpr int kZoom20 = 31802;
inline constexpr int kShowReflection = 32911;
inline constexpr int kShowShadow = 32912;
inline constexpr int kShowTextures = 32913;
inline constexpr int kHardwareAccel = 32916;
inline constexpr int kSmoothing = 32887;
inline constexpr int kBackgroundGreyBlue = 32813;
inline constexpr int kBackgroundBlack = 32880;
inline constexpr int kBackgroundWhite = 32881;
inline constexpr int kSaveViewPoint = 42820;
inline constexpr int kViewPoints = 32915;
inline constexpr int kToggleRemote = 32977;

// ---- Mode
inline constexpr int kEditModeButton = 32957;
inline constexpr int kShowModeButton = 32958;
inline constexpr int kBackToMainMenu = 32850;
inline constexpr int kMenuShowMode = 33054;
inline constexpr int kMenuEditMode = 33053;
inline constexpr int kMenuBackToMainMenu = 33055;

// ---- Help
inline constexpr int kAbout = 57664;
inline constexpr int kHelp = 62045;
inline constexpr int kTilePattern = 62048;

}  // namespace cmd
