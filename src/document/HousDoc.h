#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "document/BaseDrawingReference.h"
#include "document/CopyBuffer.h"
#include "document/DocumentRecords.h"
#include "document/DocumentViews.h"
#include "document/HousSettings.h"
#include "document/LibraryBrowserLink.h"
#include "document/MainWindowLink.h"
#include "foundation/LogFontRecord.h"
#include "foundation/WinTypes.h"
#include "objects/TextureMappingRecord.h"

namespace draw {
class DrawContext;
}
namespace gfx {
struct Vector3;
}

class C2DCameraMarker;
class C2DPictureShape;
class C3DObject;
class CBrowsePathFile;
class CBrowseRecorder;
class CDesignObject;
class CDesignScene;
class CModelPackage;
class CMusicPlayer;
class IPrinterQueries;
struct CameraPose;
struct HistoryObject;
struct HistoryRecord;
class TextureCacheEntry;
struct ViewPointRecord;

// The document of a design. One instance lives for the whole run; opening or
// starting a design empties and reuses it. It holds the settings of
// "zadivav.ini", the edit mode that drives both views, the display masks,
// the library folders, the copy buffer, the history lists, the picked
// objects of the 3D view and the state of the tools. The scene itself lives
// in the scene store that the 3D view owns.
class CHousDoc {
public:
    static constexpr const char* kSettingsFileName = "zadivav.ini";

    // The kinds of object the 3D view keeps a last picked one of.
    enum class PickedKind { Ceiling, Wall, Floor, Model, Photo, Light, Text3D };

    // Reads the settings file of the program folder. The main window and the
    // printer may be null (no timers, no paper size).
    explicit CHousDoc(IMainWindow* mainWindow = nullptr, IPrinterQueries* printer = nullptr);
    ~CHousDoc();
    CHousDoc(const CHousDoc&) = delete;
    CHousDoc& operator=(const CHousDoc&) = delete;

    // ---- Settings (HousDocSettings.cpp)

    HousSettings& Settings() { return m_settings; }
    const HousSettings& Settings() const { return m_settings; }

    // Reads every key of the file at path into the settings, each brought
    // into its range. Without a path the user chooses the file; Cancel
    // returns false and changes nothing, as does a file that cannot be read
    // (after a message). A missing file gives every default.
    bool LoadSettings(std::optional<std::string_view> path);

    // Writes every key of the settings to the file at path, keeping the
    // file's other lines. An empty path lets the user choose the file. False
    // when cancelled or, after a message, when the file could not be written
    // (it is then left as it was).
    bool SaveSettings(std::string_view path);

    // With the save-all switch off, the option sheet keeps only the 3D view
    // page's first four start-up switches in the settings file.
    bool Save3DViewSwitches(const OptionPageValues& page);

    // A new design starts from the file's background preset and ambient light.
    bool ReloadBackgroundSettings();

    // BG_COLOR 0, 1 and 2 choose the white, black and grey-blue background
    // of the 3D view; then the view repaints.
    void ApplyBackgroundColorPreset();

    // ---- Views and frames

    void Attach2DView(IPlanView* view) { m_p2DView = view; }
    void Attach3DView(I3DView* view) { m_p3DView = view; }
    void AttachHtmlViewerView(IDocumentView* view) { m_pHtmlViewerView = view; }
    IPlanView* Get2DView() const { return m_p2DView; }
    I3DView* Get3DView() const { return m_p3DView; }
    IPlanFrame* Get2DFrame() const;

    // Every attached view, with no sender.
    void UpdateAllViews(int hint);
    void Activate3DViewFrame();
    void HideHtmlViewerFrame();
    void Show2DViewFrame();
    void Repaint3DView();
    void Redraw2DView();
    void SetStatusText(std::string_view text);

    // The 3D view's camera; zero while there is no 3D view.
    CameraPosition GetCameraPosition() const;
    void SetCameraPosition(float x, float y, float z);
    double GetCameraHeading() const;
    double GetCameraPitch() const;
    void SetCameraAngles(double heading, double pitch);

    // The plan's camera marker follows the 3D camera.
    void StoreCameraPlanPose();
    const CameraPlanPose& GetCameraPlanPose() const { return m_cameraPlanPose; }
    void SetCameraMarkerRects(const RECT& first, const RECT& second);
    const std::array<RECT, 2>& GetCameraMarkerRects() const { return m_cameraMarkerRects; }

    // ---- Edit mode and show mode

    int GetEditMode() const { return m_editMode; }
    // Outside the outline modes the coordinate entry box is hidden.
    void SetEditMode(int mode);
    // The mode, then the plan view's tool and selection start afresh and
    // every view gets the full refresh.
    void SetEditModeAndRefresh(int mode);
    bool IsDrawingInProgress() const;
    bool IsMultiSelectMode() const;
    int GetShowMode() const { return m_showMode; }
    void SetShowMode(int flag) { m_showMode = flag; }

    // ---- Plan (HousDocPlan.cpp)

    // The plan view origin, moved by the rulers when they are shown, through
    // the DC's mapping when a DC is given.
    POINT GetPlanOrigin(const draw::DrawContext* dc) const;
    double GetPlanScale(const draw::DrawContext& dc) const;
    // 100 on a printing DC, else the zoom combo's percentage.
    int GetZoomPercent(const draw::DrawContext* dc) const;
    int GetPickTolerance() const;
    // Both distances below the tolerance; 0 asks for the snap tolerance.
    bool IsWithinPickTolerance(POINT p, POINT q, int tolerance) const;
    // The creation kind the plan's shape constructors take in the current
    // mode; 0 in a mode that creates nothing.
    int GetDrawShapeKind(bool flag) const;
    POINT GetMapImageSize() const;

    // Brings DRAW_UNIT_COMBO into its table.
    void UpdateDrawUnitStep();
    // The unit step in centimetres that DRAW_UNIT_COMBO selects.
    double GetDrawUnit() const;

    // The wall bar shows twice the wall values the document keeps.
    void UpdateWallBarFields();
    struct WallBarValues {
        float top = 0.0f;
        float bottom = 0.0f;
        float thickness = 0.0f;
    };
    // The three edits as typed (not halved); zero without a plan frame.
    WallBarValues ReadWallBarFields() const;
    // The three edits become the wall values when each reads as a number of
    // at least 0 (a text that is none reads as 0) and the top lies above the
    // bottom; then the bar shows the kept values again, so no edit is left
    // with a text that is not one of them.
    void ApplyWallBarFields();
    double GetWallTop() const { return m_wallTop; }
    double GetWallBottom() const { return m_wallBottom; }
    double GetWallThickness() const { return m_wallThickness; }
    void SetWallValues(double top, double bottom, double thickness);

    // The band of the rulers along the plan's top and left, in pixels.
    static constexpr int kRulerWidth = 24;
    // kRulerWidth while the rulers are shown, else 0.
    int GetRulerMargin() const;
    // Plan extent in pixels: (LENGTH, WIDTH) at the scale, plus the rulers.
    POINT GetPlanExtent(double scale) const;
    // The scroll size becomes the extent at the zoom.
    void UpdatePlanScrollSize();
    POINT GetPlanScrollSize() const { return m_planScrollSize; }
    void SetPlanScrollSize(POINT size) { m_planScrollSize = size; }
    POINT GetPlanViewOrigin() const { return m_planViewOrigin; }
    void SetPlanViewOrigin(POINT origin) { m_planViewOrigin = origin; }
    double GetPlanZoomFactor() const { return m_planZoomFactor; }
    void SetPlanZoomFactor(double factor) { m_planZoomFactor = factor; }
    double GetPrintScale() const { return m_printScale; }
    void SetPrintScale(double scale) { m_printScale = scale; }
    // The paper frame's offset, subtracted from the plan origin while the
    // frame-offset flag is set.
    int32_t GetFrameOffsetFlag() const { return m_frameOffsetFlag; }
    void SetFrameOffsetFlag(int32_t flag) { m_frameOffsetFlag = flag; }
    POINT GetFrameOffset() const { return m_frameOffset; }
    // The paper frame's corner on the plan, in tenths of a millimetre.
    POINT GetPaperPosition() const { return m_paperPosition; }
    void SetPaperPosition(POINT position) { m_paperPosition = position; }
    void SetFrameOffset(POINT offset) { m_frameOffset = offset; }
    int32_t GetSnapToTolerance() const { return m_snapToTolerance; }
    void SetSnapToTolerance(int32_t flag) { m_snapToTolerance = flag; }
    double GetLevelScale() const { return m_levelScale; }

    // Style of new plan shapes.
    int32_t GetPenStyle() const { return m_penStyle; }
    void SetPenStyle(int32_t style) { m_penStyle = style; }
    int32_t GetPenWidth() const { return m_penWidth; }
    void SetPenWidth(int32_t width) { m_penWidth = width; }
    int32_t GetArrowHeadKind() const { return m_arrowHeadKind; }
    void SetArrowHeadKind(int32_t kind) { m_arrowHeadKind = kind; }
    const std::array<LogFontRecord, 3>& GetFontDescriptions() const { return m_fonts; }

    // Plan options of the print settings and the plan view.
    int32_t GetPrintRulers() const { return m_printRulers; }
    void SetPrintRulers(int32_t flag) { m_printRulers = flag; }
    uint8_t GetPrintGrid() const { return m_printGrid; }
    void SetPrintGrid(uint8_t flag) { m_printGrid = flag; }
    uint8_t GetFramePaperShown() const { return m_framePaperShown; }
    void SetFramePaperShown(uint8_t flag) { m_framePaperShown = flag; }
    int32_t GetFixedWallAngle() const { return m_fixedWallAngle; }
    void SetFixedWallAngle(int32_t flag) { m_fixedWallAngle = flag; }
    // The step, int degrees, that a fixed wall angle keeps to.
    int32_t GetFixedAngleStep() const { return m_fixedAngleStep; }
    void SetFixedAngleStep(int32_t step) { m_fixedAngleStep = step; }
    const std::string& GetTitleFrameFile() const { return m_titleFrameFile; }
    void SetTitleFrameFile(std::string file) { m_titleFrameFile = std::move(file); }
    const BaseDrawingReference& GetBaseDrawing() const { return m_baseDrawing; }
    void SetBaseDrawing(BaseDrawingReference drawing) { m_baseDrawing = std::move(drawing); }

    // Display switches kept while show mode hides them.
    struct SavedSwitches {
        int32_t gridShown = 1;
        int32_t rulerShown = 1;
        int32_t lightsShown = 1;
    };
    SavedSwitches& GetSavedSwitches() { return m_savedSwitches; }

    // ---- Picked objects of the 3D view

    void SetPickedObject(PickedKind kind, C3DObject* object);
    C3DObject* GetPickedObject(PickedKind kind) const;
    // The first set one of 3D text, light, photo, ceiling, floor, wall, model.
    C3DObject* GetPickedObject() const;
    // Forgets the picked objects and deselects the plan symbols.
    void ClearPickedObjects();
    // Whether anything of the scene is selected.
    [[nodiscard]] bool HasAnySelection() const;
    // Empties the scene and the plan of the closed design, and the view
    // points; the history goes with the scene.
    void ClearDesign();
    C3DObject* GetTopPickedObject() const { return m_pTopPickedObject; }
    void SetTopPickedObject(C3DObject* object) { m_pTopPickedObject = object; }

    // ---- Folders and files

    // Ends with '/'.
    const std::string& GetProgramFolder() const { return m_programFolder; }
    const std::string& GetModelFolder() const { return m_modelFolder; }
    const std::string& GetTextureFolder() const { return m_textureFolder; }
    const std::string& GetPictureFolder() const { return m_pictureFolder; }
    const std::string& GetBackgroundFolder() const { return m_backgroundFolder; }
    const std::string& GetMusicFolder() const { return m_musicFolder; }
    const std::string& Get2DIconFolder() const { return m_iconFolder; }
    // The library folder of an object type: 0 models, 4 pictures, 19 2D icons;
    // the program folder for any other type.
    std::string GetResourceFolder(int type) const;

    const std::string& GetProjectDirectory() const { return m_projectDirectory; }
    void SetProjectDirectory(std::string folder) { m_projectDirectory = std::move(folder); }
    const std::string& GetDesignPath() const { return m_designPath; }
    void SetDesignPath(std::string path) { m_designPath = std::move(path); }
    const std::string& GetRecorderFilePath() const { return m_recorderFilePath; }
    void SetRecorderFilePath(std::string path) { m_recorderFilePath = std::move(path); }
    // MUSIC as read when the document was created: the music new designs start with.
    const std::string& GetDefaultMusic() const { return m_defaultMusic; }
    void SetDefaultMusic(std::string music) { m_defaultMusic = std::move(music); }

    // Files found missing while a design loads; each name once.
    void AddMissingFile(std::string_view fileName);
    const std::vector<std::string>& GetMissingFiles() const { return m_missingFiles; }
    void ClearMissingFiles() { m_missingFiles.clear(); }

    // ---- State flags

    int32_t GetDesignModified() const { return m_designModified; }
    void SetDesignModified(int32_t flag) { m_designModified = flag; }
    int32_t GetSaving() const { return m_saving; }
    void SetSaving(int32_t flag) { m_saving = flag; }
    // Set while an undo, redo, load, save, nudge, transform or refinement runs.
    int32_t GetBusy() const { return m_busy; }
    void SetBusy(int32_t flag) { m_busy = flag; }
    int32_t GetAbort() const { return m_abort; }
    void SetAbort(int32_t flag) { m_abort = flag; }
    int32_t GetShadowReverse() const { return m_shadowReverse; }
    void SetShadowReverse(int32_t flag) { m_shadowReverse = flag; }
    int32_t GetTopView() const { return m_topView; }
    void SetTopView(int32_t flag) { m_topView = flag; }
    int32_t GetShowGroupIndex() const { return m_showGroupIndex; }
    void SetShowGroupIndex(int32_t index) { m_showGroupIndex = index; }
    // The 3D view's background (BackgroundChoice.h); at creation the one BG_COLOR names.
    int32_t GetBackgroundChoice() const { return m_backgroundChoice; }
    void SetBackgroundChoice(int32_t choice) { m_backgroundChoice = choice; }
    double GetWalkStep() const { return m_walkStep; }
    void SetWalkStep(double step) { m_walkStep = step; }
    int32_t GetUndoLimit() const { return m_undoLimit; }

    LibraryPlacement& GetPlacement() { return m_placement; }
    // The library browsers that place dragged entries; null until the 3D
    // view has them.
    ILibraryBrowsers* GetLibraryBrowsers() const { return m_libraryBrowsers; }
    void SetLibraryBrowsers(ILibraryBrowsers* browsers) { m_libraryBrowsers = browsers; }
    CopiedSurface& GetCopiedSurface() { return m_copiedSurface; }
    VideoSettings& GetVideoSettings() { return m_videoSettings; }
    CCopyBuffer& GetCopyBuffer() { return m_copyBuffer; }
    std::vector<ShowCatalogEntry>& GetShowCatalogEntries() { return m_showCatalogEntries; }
    std::vector<CDesignObject*>& GetReleasedGroupMembers() { return m_releasedGroupMembers; }

    // The design's creation date, "%d" each.
    const std::string& GetYear() const { return m_year; }
    const std::string& GetMonth() const { return m_month; }
    const std::string& GetDay() const { return m_day; }

    // ---- Device and printer

    // Vertex processing the device supports: 64 hardware, 32 software.
    int32_t GetDeviceCreationFlags() const { return m_deviceCreationFlags; }
    void SetDeviceCreationFlags(int32_t flags) { m_deviceCreationFlags = flags; }
    void UpdateHardwareAccelButton();

    // Asks the printer again, after the print setup.
    void UpdateDefaultPaperSize();
    POINT GetDefaultPaperSize() const { return m_defaultPaperSize; }
    POINT GetPrinterOffset() const { return m_printerOffset; }

    // ---- Placing from the library (HousDocLibrary.cpp)

    // The model and the photo that replace mode works on and that the last
    // placing made current; null once they have left the scene.
    [[nodiscard]] C3DObject* GetCurrentFurniture() const;
    void SetCurrentFurniture(C3DObject* object) { m_currentFurniture = object; }
    [[nodiscard]] C3DObject* GetCurrentPhoto() const;
    void SetCurrentPhoto(C3DObject* object) { m_currentPhoto = object; }
    // Set by every placing; the wall-face editor reads it. Null once it has
    // left the scene.
    [[nodiscard]] C3DObject* GetLastPlacedObject() const;
    void SetLastPlacedObject(C3DObject* object) { m_lastPlaced = object; }
    // The current furniture object's plan symbol from the package's drawing,
    // sized by the object's x and z extents, placed with it and appended to
    // the model symbol list. Null without a current furniture object or a
    // scene: a symbol lives only with its object.
    C2DPictureShape* AddModelPlanSymbol(const CModelPackage& package);
    // The current photo's plan symbol from the DXF file, a square of the
    // photo's real width at the photo's position and height, appended to the
    // photo symbol list. Null without a current photo or a scene.
    C2DPictureShape* AddPhotoPlanSymbol(const std::string& dxfPath);
    // Where new objects go: 350 ahead of the camera in its horizontal view
    // direction, at the current floor's height.
    [[nodiscard]] gfx::Vector3 GetPlacementPoint() const;

    // ---- Objects of later layers, handed in by the code that makes them

    std::shared_ptr<CMusicPlayer>& MusicPlayer() { return m_pMusicPlayer; }
    std::shared_ptr<CBrowsePathFile>& RecorderFileReader() { return m_pRecorderFileReader; }
    std::shared_ptr<CBrowseRecorder>& BrowseRecorder() { return m_pBrowseRecorder; }
    std::shared_ptr<CameraPose>& SavedCamera() { return m_pSavedCamera; }
    std::shared_ptr<C2DCameraMarker>& CameraMarker() { return m_pCameraMarker; }
    std::shared_ptr<TextureCacheEntry>& TextureCache() { return m_pTextureCacheEntry; }
    std::vector<std::shared_ptr<ViewPointRecord>>& ViewPoints() { return m_viewPoints; }
    // ---- Undo and redo (HousDocHistory.cpp, HousDocSnapshots.cpp)

    // 0 undo, 1 redo, 2 placement snapshots, 3 property snapshots.
    std::vector<std::unique_ptr<HistoryRecord>>& HistoryList(int list);
    // Appends the record to the undo list and empties the redo list.
    void PushUndoRecord(std::unique_ptr<HistoryRecord> record);
    // Records that the object was added to the type's list.
    void PushAddRecord(int type, CDesignObject* object);
    // Frees the records of the list with what they own.
    void ClearHistoryList(int list);
    // Replay one step; nothing while the document is busy.
    void Undo();
    void Redo();
    // Empty, or holding nothing but one marker.
    [[nodiscard]] bool IsUndoEmpty() const;
    [[nodiscard]] bool IsRedoEmpty() const;
    [[nodiscard]] bool IsSnapshotEmpty() const;
    // Take an object out of the scene into the record's keeping, or give it
    // back to the scene.
    void UndoRemoveObject(int type, HistoryObject& object);
    // Empties the copy buffer when it holds the object, before the object
    // is taken away or destroyed.
    void ReleaseCopiedObject(const CDesignObject* object);
    void UndoReinsertObject(int type, HistoryObject& object);

    // Interactive edits: kind 2 plan shapes, 3 placements of 3D objects,
    // 4 both.
    void BeginEditSnapshot(int kind);
    void EndEditSnapshot(int kind);
    // Property edits of the selected 3D objects; group as in a property
    // record (1 transform .. 6 text, -1 all).
    void SnapshotSelectionProperties(int group);
    void CommitSelectionProperties();

    // Steps of several records.
    void BeginUndoGroup();
    void EndUndoGroup();
    void PushUndoSeparator();
    void JoinTrailingDeleteRecords();
    // Withdraws the newest record of the current group with this operation
    // and type that names object.
    void DropUndoRecord(int operation, int type, const CDesignObject* object);
    // Keeps the newest steps, as many as the undo limit.
    void TrimUndoHistory();

    // The mapping the material tools give new textures.
    const TextureMappingRecord& GetCurrentMapping() const { return m_currentMapping; }
    void SetCurrentMapping(const TextureMappingRecord& mapping) { m_currentMapping = mapping; }

private:
    // The scene of the 3D view; null without one.
    [[nodiscard]] CDesignScene* GetScene() const;
    // Moves one step from the newest records of one list to the other,
    // applying each.
    void ReplayStep(std::vector<std::unique_ptr<HistoryRecord>>& from,
                    std::vector<std::unique_ptr<HistoryRecord>>& to, bool undo);
    void ApplyRecord(HistoryRecord& record, bool undo);
    // A deleted light's place in the shadow-light lists, taken or given back.
    void ReplayLightLinks(HistoryRecord& record, bool removed);
    // What the storeys and the floor combo show after a replay.
    void RefreshSceneAfterReplay();
    void MergeRepeatedPlacementRecords();
    void MergeRepeatedPropertyRecords();
    // How many plan items and how many 3D objects are selected.
    [[nodiscard]] int CountSelectedShapes() const;
    [[nodiscard]] int CountSelected3DObjects() const;
    void SnapshotSelectedShapes(int count);
    void SnapshotSelectedPlacements(int count);
    bool CommitShapeSnapshots(int count);
    bool CommitPlacementSnapshots(int count);
    // The pending snapshot record of the object, taken out of list.
    std::unique_ptr<HistoryRecord> TakeSnapshotRecord(
        std::vector<std::unique_ptr<HistoryRecord>>& list, const CDesignObject* object);

    // The program folder followed by "zadivav.ini".
    std::string GetSettingsFilePath() const;
    void ReadProjectDirectory();
    void SetCreationDate();

    HousSettings m_settings;

    IMainWindow* m_pMainWindow = nullptr;
    IPrinterQueries* m_pPrinter = nullptr;
    IPlanView* m_p2DView = nullptr;
    I3DView* m_p3DView = nullptr;
    IDocumentView* m_pHtmlViewerView = nullptr;

    int m_editMode = 0;
    int32_t m_showMode = 0;

    std::array<C3DObject*, 7> m_pickedObjects{};
    C3DObject* m_pTopPickedObject = nullptr;

    // Plan
    POINT m_planViewOrigin;
    std::array<LogFontRecord, 3> m_fonts{};
    double m_planZoomFactor = 0.5;
    double m_printScale = 0.5;
    double m_levelScale = 0.01;
    POINT m_planScrollSize;
    int32_t m_frameOffsetFlag = 0;
    POINT m_frameOffset;
    POINT m_paperPosition;
    int32_t m_penStyle = 0;
    int32_t m_penWidth = 1;
    int32_t m_arrowHeadKind = 1;
    double m_wallTop = 130.0;
    double m_wallBottom = 0.0;
    double m_wallThickness = 7.5;
    int32_t m_snapToTolerance = 1;
    int32_t m_printRulers = 0;
    uint8_t m_printGrid = 0;
    uint8_t m_framePaperShown = 0;
    int32_t m_fixedWallAngle = 1;
    int32_t m_fixedAngleStep = 90;
    std::string m_titleFrameFile;
    BaseDrawingReference m_baseDrawing;
    SavedSwitches m_savedSwitches;
    CameraPlanPose m_cameraPlanPose;
    std::array<RECT, 2> m_cameraMarkerRects{};

    // Folders and files
    std::string m_programFolder;
    std::string m_modelFolder;
    std::string m_textureFolder;
    std::string m_pictureFolder;
    std::string m_backgroundFolder;
    std::string m_musicFolder;
    std::string m_iconFolder;
    std::string m_projectDirectory;
    std::string m_designPath;
    std::string m_recorderFilePath;
    std::string m_defaultMusic;
    std::vector<std::string> m_missingFiles;

    // State
    int32_t m_designModified = 0;
    int32_t m_saving = 0;
    int32_t m_busy = 0;
    int32_t m_abort = 0;
    int32_t m_shadowReverse = 0;
    int32_t m_topView = 0;
    int32_t m_showGroupIndex = -1;
    int32_t m_backgroundChoice = 0;
    double m_walkStep = 30.0;
    int32_t m_undoLimit = 50;
    int32_t m_deviceCreationFlags = 32;
    POINT m_defaultPaperSize;
    POINT m_printerOffset;
    std::string m_year;
    std::string m_month;
    std::string m_day;

    LibraryPlacement m_placement;
    ILibraryBrowsers* m_libraryBrowsers = nullptr;
    C3DObject* m_currentFurniture = nullptr;
    C3DObject* m_currentPhoto = nullptr;
    C3DObject* m_lastPlaced = nullptr;
    CopiedSurface m_copiedSurface;
    VideoSettings m_videoSettings;
    CCopyBuffer m_copyBuffer;
    std::vector<ShowCatalogEntry> m_showCatalogEntries;
    std::vector<CDesignObject*> m_releasedGroupMembers;

    std::shared_ptr<CMusicPlayer> m_pMusicPlayer;
    std::shared_ptr<CBrowsePathFile> m_pRecorderFileReader;
    std::shared_ptr<CBrowseRecorder> m_pBrowseRecorder;
    std::shared_ptr<CameraPose> m_pSavedCamera;
    std::shared_ptr<C2DCameraMarker> m_pCameraMarker;
    std::shared_ptr<TextureCacheEntry> m_pTextureCacheEntry;
    std::vector<std::shared_ptr<ViewPointRecord>> m_viewPoints;
    std::array<std::vector<std::unique_ptr<HistoryRecord>>, 4> m_historyLists;
    TextureMappingRecord m_currentMapping;
};
