#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QString>

#include <vector>

// Writes cursor files: a .cur with one 32-bit image (alpha plus the AND mask that older
// readers use) and a RIFF "ACON" .ani whose frames are such .cur images.
QByteArray WriteCur(const QImage& image, QPoint hotSpot);

// One step of an animation: the frame it shows and for how many sixtieths of a second.
struct AniStep {
    int frame;
    int jiffies;
};

// `frames` are complete .cur files. The step list is stored as the "seq " and "rate"
// chunks; `title` goes into the INFO list.
QByteArray WriteAni(const std::vector<QByteArray>& frames, const std::vector<AniStep>& steps,
                    const QString& title);
