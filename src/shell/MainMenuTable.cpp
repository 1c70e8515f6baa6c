#include "shell/MainMenuTable.h"

#include <utility>

#include "shell/CommandIds.h"

namespace {

using Kind = MainMenuEntry::Kind;

MainMenuEntry Item(const char* text, int id) {
    return {Kind::Command, text, id, {}};
}

MainMenuEntry Separator() {
    return {Kind::Separator, "", 0, {}};
}

MainMenuEntry Submenu(const char* text, std::vector<MainMenuEntry> children) {
    return {Kind::Submenu, text, 0, std::move(children)};
}

MainMenuEntry FileMenu() {
    return Submenu("檔案(&F)",
                   {Item("新設計案(&N)\tCtrl+N", cmd::kFileNew),
                    Item("開啟設計案(&O)\tCtrl+O", cmd::kFileOpen),
                    Item("加入設計案(&J)\tCtrl+Alt+A", cmd::kAddDesign),
                    Item("儲存設計案(&S)\tCtrl+S", cmd::kFileSave),
                    Item("另存設計案(&A)\tCtrl+Alt+S", cmd::kFileSaveAs),
                    {Kind::RecentFiles, "最近開啟的設計案", cmd::kFirstRecentFile, {}},
                    Separator(),
                    Submenu("2D載入(&W)", {Item("DXF圖示(&D)", cmd::kImportDxfSymbol),
                                           Item("圖片(&B)", cmd::kImportPicture)}),
                    Submenu("2D輸出(&D)", {Item("BMP(&B)", cmd::kExportPlanBitmap)}),
                    Separator(),
                    Submenu("3D載入(&L)", {Item("3D載入DQV6檔案(&L)", cmd::kImportSelection)}),
                    Submenu("3D輸出(&U)", {Item("3D輸出DQV6檔案(&M)", cmd::kExportSelection),
                                           Item("3D輸出QVX檔案(&U)", cmd::kExportPackagedModel),
                                           Item("3D輸出圖檔(&B)", cmd::kSave3DImage)}),
                    Separator(),
                    Item("印表機設定(&R)", cmd::kPrintSetup),
                    Item("列印資訊設定(&I)", cmd::kPrintSettings),
                    Item("使用者資訊設定(&Y)", cmd::kDesignerInfo),
                    Item("2D預覽列印(&V)", cmd::kPreviewPlan),
                    Item("3D預覽列印(&H)", cmd::kPreview3D),
                    Item("2D列印(&T)", cmd::kPrintPlan),
                    Item("3D列印(&P)", cmd::kPrint3D),
                    Separator(),
                    Item("估價單(&R)", cmd::kCostEstimate),
                    Item("模型貼圖包裝程式(&M)", cmd::kModelPacker),
                    Separator(),
                    Item("設計案管理(&G)", cmd::kShowcaseManage),
                    Item("設定選項(&E)", cmd::kOptions),
                    Item("3D設定視窗寬高像素(&K)", cmd::k3DWindowSize),
                    Separator(),
                    Item("離開(&X)", cmd::kExit)});
}

MainMenuEntry EditMenu() {
    return Submenu("編輯(&E)",
                   {Item("復原UNDO(&Z)\tCtrl+Z", cmd::kUndo),
                    Item("重做REDO(&Y)\tCtrl+Y", cmd::kRedo),
                    Separator(),
                    Item("選擇物件(&S)", cmd::kSelectObjects),
                    Separator(),
                    Item("2D-新增牆、樑、柱(&W)", cmd::kAddWall),
                    Item("2D-新增地板(&G)", cmd::kAddFloor),
                    Item("2D-新增天花板(&C)", cmd::kAddCeiling),
                    Item("2D-DXF長成結構(&X)", cmd::kGrowStructureFromDxf),
                    Item("2D-新增尺寸注標(&M)", cmd::kAddDimensionNote),
                    Item("2D-新增文字注標(&E)", cmd::kAddTextNote),
                    Submenu("2D-新增幾何圖形(&N)",
                            {Item("畫直線", cmd::kDrawLine), Item("畫弧線", cmd::kDrawArc),
                             Item("畫曲線", cmd::kDrawCurve), Item("畫箭頭", cmd::kDrawArrow),
                             Item("畫矩形", cmd::kDrawRectangle), Item("畫圓形", cmd::kDrawCircle),
                             Separator(), Item("線條樣式", cmd::kLineStyle),
                             Item("箭頭樣式", cmd::kArrowStyle),
                             Item("箭頭方向", cmd::kArrowDirection), Separator()}),
                    Separator(),
                    Item("3D-設定貼圖材質(&T)", cmd::kSetTexture),
                    Item("3D-設定門窗/分割/挖洞(&D)", cmd::kWallItemsMode),
                    Item("3D-新增傢俱(&F)", cmd::kAddFurniture),
                    Item("3D-新增光源(&L)", cmd::kAddLight),
                    Item("3D-新增圖片(&A)", cmd::kAddPicture),
                    Item("3D-新增3D文字(&R)", cmd::kAddText3D),
                    Item("3D-複製貼圖(&P)", cmd::kCopyTextureMode),
                    Item("3D-複製水平分割線(&U)", cmd::kCopySplitLineMode),
                    Separator(),
                    Item("複製(&O)\tCtrl+C", cmd::kCopy),
                    Item("貼上(&V)\tCtrl+V", cmd::kPaste),
                    Separator(),
                    Item("2D-鎖點(&K)\tF3", cmd::kToggleSnap),
                    Item("2D-固定牆夾角(L)\tF8", cmd::kFixedWallAngle),
                    Separator(),
                    Item("3D-移至地面(&B)\tCtrl+End", cmd::kMoveToGround),
                    Item("3D-鎖定牆、樑、柱、地板、天花板移動(&I)", cmd::kMoveLock),
                    Separator(),
                    Item("陰影反向(&H)", cmd::kShadowReverse),
                    Separator(),
                    Item("使用2D選取列印", cmd::kPrintPlanSelection)});
}

MainMenuEntry ViewMenu() {
    return Submenu(
        "檢視(&V)",
        {Item("實體展示(&L)\tA", cmd::kViewSolid),
         Item("網線展示(&W)\tA", cmd::kViewWireframe),
         Separator(),
         Item("透視模式(&X)", cmd::kPerspective),
         Submenu(
             "正交模式(&H)",
             {Item("前視(&F)", cmd::kOrthoFront), Item("後視(&B)", cmd::kOrthoBack),
              Item("左視(&L)", cmd::kOrthoLeft), Item("右視(&R)", cmd::kOrthoRight), Separator(),
              Item("上視(&T)", cmd::kOrthoTop), Item("下視(O)", cmd::kOrthoBottom), Separator(),
              Item("西南等角(&W)", cmd::kIsoSouthWest), Item("東南等角(&S)", cmd::kIsoSouthEast),
              Item("西北等角(&N)", cmd::kIsoNorthWest), Item("東北等角(&E)", cmd::kIsoNorthEast),
              Separator(), Item("目前視角(&V)", cmd::kOrthoCurrent)}),
         Separator(),
         Submenu("工具列顯示狀態(&T)",
                 {Item("基本工具列(&B)", cmd::kBarBasic), Item("播放工具列(&Y)", cmd::kBarPlay),
                  Item("進階控制列(&N)", cmd::kBarNavigation),
                  Item("3D設定工具列(&3)", cmd::kBar3DSettings),
                  Item("3D視窗工具列(&R)", cmd::kBar3DWindow),
                  Item("2D設定工具列(&2)", cmd::kBar2DSettings),
                  Item("2D控制工具列(&D)", cmd::kBar2DControl),
                  Item("2D視窗工具列(&O)", cmd::kBar2DWindow),
                  Item("2D進階控制工具列(&A)", cmd::kBar2DAdvanced),
                  Item("2D檢視工具列(&V)", cmd::kBar2DView),
                  Item("2D繪圖工具列(&P)", cmd::kBar2DDrawing),
                  Item("方向控制器(&C)", cmd::kBarDirection), Item("狀態列(&S)", cmd::kBarStatus)}),
         Submenu(
             "2D物件顯示狀態(&U)",
             {Item("顯示牆、樑、柱(W)", cmd::kShowWalls), Item("顯示地板(&F)", cmd::kShowFloors),
              Item("顯示天花板(&C)", cmd::kShowCeilings),
              Item("顯示尺寸註標(&D)", cmd::kShowDimensionNotes),
              Item("顯示文字註標(&T)", cmd::kShowTextNotes),
              Item("顯示幾何圖形(&E)", cmd::kShowShapes),
              Item("顯示DXF圖示(&I)", cmd::kShowDxfSymbols),
              Item("顯示圖片(&P)", cmd::kShowPlanPictures), Separator(),
              Item("顯示傢俱(&M)", cmd::kShowFurniture), Item("顯示光源(&L)", cmd::kShowLights),
              Item("顯示3D文字線條(&S)", cmd::kShowText3DLines),
              Item("顯示照片(&H)", cmd::kShowPhotos), Separator(),
              Item("顯示尺規(&R)", cmd::kShowRuler), Item("顯示網格(&G)", cmd::kShowGrid)}),
         Item("光源外型顯示狀態(&M)", cmd::kShowLightShapes),
         Separator(),
         Item("瀏覽步伐調整(C)\tF7", cmd::kWalkStepSettings),
         {Kind::Submenu, "2D視窗顯示比例(&Z)", 0, MakeZoomMenuEntries()},
         Separator(),
         Item("3D-顯示反射(&M)", cmd::kShowReflection),
         Item("3D-顯示陰影(&S)", cmd::kShowShadow),
         Item("3D-顯示貼圖(&P)", cmd::kShowTextures),
         Item("3D-顯示硬體加速(&A)", cmd::kHardwareAccel),
         Item("3D-物件平滑處理(&N)\tCtrl+A", cmd::kSmoothing)});
}

MainMenuEntry ModeMenu() {
    return Submenu("模式(&M)", {Item("切換至編輯模式(&D)", cmd::kEditModeButton),
                                Item("切換至展示模式(&W)", cmd::kShowModeButton),
                                Item("回主選單(&M)", cmd::kBackToMainMenu)});
}

MainMenuEntry HelpMenu() {
    return Submenu("說明(&H)", {Item("關於Velmora(&A)\tF1", cmd::kAbout)});
}

}  // namespace

std::vector<MainMenuEntry> MakeZoomMenuEntries() {
    std::vector<MainMenuEntry> entries;
    auto add = [&entries](int percent, int id) {
        std::string text = std::to_string(percent) + "%";
        if (percent < 100) {
            text.insert(0, " ");
        }
        entries.push_back({Kind::Command, text, id, {}});
    };
    int id = cmd::kZoom2000;
    for (int percent = 2000; percent >= 500; percent -= 100) {
        add(percent, id--);
    }
    // 31818 is skipped: 450% is one below it.
    --id;
    for (int percent = 450; percent >= 100; percent -= 50) {
        add(percent, id--);
    }
    for (int percent = 90; percent >= 20; percent -= 10) {
        add(percent, id--);
    }
    return entries;
}

const std::vector<MainMenuEntry>& GetMainMenuTable() {
    static const std::vector<MainMenuEntry> table{FileMenu(), EditMenu(), ViewMenu(), ModeMenu(),
                                                  HelpMenu()};
    return table;
}

const std::vector<MainAccelerator>& GetMainAcceleratorTable() {
    using A = MainAccelerator;
    static const std::vector<MainAccelerator> table{
        {A::kCtrl, 'N', cmd::kFileNew},
        {A::kCtrl, 'O', cmd::kFileOpen},
        {A::kCtrl, 'S', cmd::kFileSave},
        {A::kCtrl | A::kAlt, 'S', cmd::kFileSaveAs},
        {A::kCtrl | A::kAlt, 'A', cmd::kAddDesign},
        {A::kCtrl, 'C', cmd::kCopy},
        {A::kCtrl, 'V', cmd::kPaste},
        {A::kCtrl, 'Z', cmd::kUndo},
        {A::kCtrl, 'Y', cmd::kRedo},
        {A::kCtrl, 'A', cmd::kSmoothing},
        {A::kCtrl, 'E', cmd::kPlanDxfExport},
        {A::kCtrl, kAccelKeyEnd, cmd::kMoveToGround},
        {A::kNone, kAccelKeyF1, cmd::kAbout},
        {A::kNone, kAccelKeyF1 + 2, cmd::kToggleSnap},
        {A::kNone, kAccelKeyF1 + 6, cmd::kNextWalkSpeed},
        {A::kNone, kAccelKeyF1 + 7, cmd::kFixedWallAngle},
        {A::kNone, kAccelKeyF1 + 11, cmd::kMirrorTolerance},
    };
    return table;
}
