#pragma once

#include "platform/Profile.h"

#include <QTemporaryDir>

// Points the application profile at a fresh temporary folder for its lifetime.
class CTempProfile {
public:
    CTempProfile() { Profile::SetFolderForTests(m_dir.path()); }
    ~CTempProfile() { Profile::SetFolderForTests(QString()); }
    QString Folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};
