#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "core/codec/channel_grid.h"
#include "core/codec/grid_edits.h"
#include "core/image/radio_image.h"
#include "core/image/status.h"
#include "desktop/document/disk_file.h"

class AppContext;
class CDocChangeCommand;
class QUndoStack;
class QWidget;

// One channel document: the radio's memory image and the grid that is its working copy while
// the user edits. The grid is encoded back into the image before every save.
//
// Every change of the document is one step of its undo stack (ApplyChange), and the modified
// flag is the stack's clean state: saving marks the stack clean, and undoing back to that
// point makes the document unmodified again.
class CProgramDoc : public QObject {
    Q_OBJECT
  public:
    explicit CProgramDoc(AppContext& ctx, QObject* parent = nullptr);

    // File > New: the blank image, the title of the language, the application name as path
    // name (not a file the user chose), and the new-image flag set.
    bool OnNewDocument();
    // Loads a channel file into a scratch image first: on failure nothing changes and the
    // status says which file and why. On success clears the new-image flag and takes the file
    // name as title; a file longer than an image is opened too (see LongerFileNote).
    radio::Status OnOpenDocument(const QString& path);
    // For a document opened from a file longer than an image: what to tell the user (only the
    // first 8192 bytes are used, a save cuts the rest). Empty otherwise.
    QString LongerFileNote() const;
    // A backup of a radio read opens as a document of its own: titled with its date, and
    // never saved over the backup (Save asks for a name, proposing the backup's).
    radio::Status OnOpenBackup(const QString& path);
    // Encodes the grid into the image, then writes the file atomically, holding the file's
    // lock (so radioprog waits meanwhile) and only while the file is what it was when the
    // save began.
    radio::Status OnSaveDocument(const QString& path);

    // File > Save and File > Save As. A document never saved to a file the user chose always
    // asks for a name. Saving over its own file when that is longer than an image asks first,
    // and so does saving over it when another program changed it since it was opened or
    // saved here (Overwrite / Save As / Cancel). Failures are reported; false when nothing was
    // saved.
    bool DoFileSave(QWidget* parent);
    bool DoSave(QWidget* parent, bool askName);
    // What Save As proposes: "<title>.dat" in the folder of the file opened or saved last.
    QString ProposedFileName() const;
    // On closing the program: asks Save / Discard / Cancel when modified. False on Cancel or
    // when the save failed.
    bool SaveModified(QWidget* parent);

    // Fills the grid from the image and runs the band settings step; returns the main window
    // title that step gives.
    QString DecodeIntoGrid();

    // The document's file changed on disk: the user is asked whether to reload it (a deleted
    // file is only reported). A reload is one step of the undo stack, so the edits it replaces
    // stay one Undo away, and it leaves the document unmodified.
    void OnChangedOnDisk();
    radio::Status ReloadFromDisk();
    const CDiskFile& DiskFile() const { return m_diskFile; }

    // Set by File > New, cleared by a successful open and by a completed read from the radio:
    // the band settings step gives a new image the stored type and band, while any other
    // image's own ones become the stored choice.
    bool IsNewImage() const { return m_bNewImage; }
    void SetNewImage(bool newImage) { m_bNewImage = newImage; }

    radio::RadioImage& image() { return m_image; }
    const radio::RadioImage& image() const { return m_image; }
    radio::ChannelGrid& grid() { return m_grid; }
    const radio::ChannelGrid& grid() const { return m_grid; }

    const QString& GetTitle() const { return m_strTitle; }
    void SetTitle(const QString& title);
    const QString& GetPathName() const { return m_strPathName; }
    // True once the document has been opened from or saved to a file the user chose.
    bool HasUserFile() const { return m_bUserFile; }

    // File > Import Channels: takes the channel texts of rows 1-200 from `channels` as one
    // step of the undo stack ("import of N channels"). Rows whose texts are equal are not
    // touched. Emits channelsChanged when any row changed; returns whether one did. `cells`
    // are shown after a redo, `cellsBefore` (the selection before the import) after an undo.
    bool ReplaceChannels(const radio::ChannelGrid& channels,
                         const radio::CellRange& cells = radio::CellRange::All(),
                         const std::optional<radio::CellRange>& cellsBefore = std::nullopt);

    // Runs `change`, which may change the image, the grid and the new-image flag, as one step
    // of the undo stack. What it changed is kept (the rows it touched, the whole image when
    // that changed) so that undo and redo give back image and grid exactly. `name` gets the
    // number of grid rows that changed and gives the step's name ("paste of 12 channels");
    // `cells` are the cells to show after an undo or redo. Nothing changed: nothing is pushed
    // and false is returned. Emits channelsChanged when something changed. With `cellsBefore`,
    // an undo shows those instead (where the user was before the change).
    using NameOfStep = std::function<QString(int changedRows)>;
    bool ApplyChange(const std::function<void()>& change, const NameOfStep& name,
                     const radio::CellRange& cells = radio::CellRange::All(),
                     const std::optional<radio::CellRange>& cellsBefore = std::nullopt);
    QUndoStack* UndoStack() const { return m_pUndoStack; }
    // The cells of the step done, undone or redone last.
    const radio::CellRange& LastStepCells() const { return m_lastStepCells; }
    // The most steps the stack keeps; the oldest go first.
    static constexpr int kUndoLimit = 1000;

    bool IsModified() const { return m_bModified; }
    // Marks the document modified (whatever the undo stack holds) or unmodified (the stack's
    // present state becomes the clean one).
    void SetModifiedFlag(bool modified = true);

  signals:
    void titleChanged(const QString& title);
    void modifiedChanged(bool modified);
    // The band settings step after a decode gave this main window title.
    void bandTitleChanged(const QString& title);
    // Emitted before the grid is encoded for a save: a view commits its pending cell edit.
    void aboutToSave();
    // The image or the grid changed through a step of the undo stack, done, undone or redone
    // (a cell commit, a paste, an import, a read, ...).
    void channelsChanged();

  private:
    friend class CDocChangeCommand;
    void OnStepApplied(const radio::CellRange& cells);  // after an undo or redo

    AppContext& m_ctx;
    QUndoStack* m_pUndoStack = nullptr;
    radio::CellRange m_lastStepCells;
    radio::RadioImage m_image;
    radio::ChannelGrid m_grid;
    QString m_strTitle;
    QString m_strPathName;
    bool m_bUserFile = false;
    bool m_bModified = false;
    bool m_bNewImage = false;
    std::uintmax_t m_nOpenedSize = 0;  // size of the file opened, when longer than an image
    CDiskFile m_diskFile;
    bool m_bAskingReload = false;
};
