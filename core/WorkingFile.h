#pragma once

#include <QByteArray>
#include <QString>

// The dataset file a window works on and what the window knows of it: the
// bytes it last read from that file or wrote there, and whether the design
// on screen has edits the file lacks. Loading, saving, Save As and the
// question about unsaved edits all go through here, so which file is
// current, which row of the list shows it and whether a save must ask first
// are each decided in one place.
class WorkingFile {
public:
    // What became of unsaved edits when they were asked about.
    enum class EditsAnswer { NoEdits, Saved, Dropped, Kept };

    // The file as an absolute path; empty for an untitled design.
    const QString& path() const { return m_path; }
    // What the window last read from the file or wrote there.
    const QByteArray& bytes() const { return m_bytes; }
    // The design on screen has edits its file lacks.
    bool hasEdits() const { return m_edits; }

    // The window now works on `path` (empty: untitled), whose bytes, just
    // read or written, are `bytes`. The edits are left as they are: whoever
    // replaces the design has asked about them first.
    void workOn(const QString& path, const QByteArray& bytes);
    // The design was written to `path` as `written`: the window goes on with
    // that file, nothing unsaved.
    void saved(const QString& path, const QByteArray& written);
    void markEdited() { m_edits = true; }
    void dropEdits() { m_edits = false; }

    // A save asks for a name first: for Save As, and for an untitled design.
    bool needsName(bool saveAs) const { return saveAs || m_path.isEmpty(); }
    // The file holds bytes other than those this window last read or wrote
    // (or cannot be read to tell): someone else wrote it meanwhile, and a
    // plain save would replace their work. A file that has gone has not.
    bool changedElsewhere() const;
    // `f` was read before the unsaved edits were asked about; true when the
    // answer saved them into that very file, so what was read is out of date.
    bool outdatedBy(EditsAnswer answer, const QString& f) const;
    // The name of the row of `folder`'s dataset list that shows the file;
    // empty for an untitled design or a file that lies elsewhere.
    QString rowIn(const QString& folder) const;

private:
    QString m_path;
    QByteArray m_bytes;
    bool m_edits = false;
};
