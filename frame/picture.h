#pragma once
// SPDX-License-Identifier: MIT
// A picture object: its image data (for an icon, the icon file's bytes) and the decoded pixmap.
// Shared by reference; a null reference is "no picture object", which differs from an empty one.

#include <QByteArray>
#include <QPixmap>

#include <memory>

namespace vantrel {

struct Picture {
    QByteArray data;
    QPixmap pixmap;

    bool isEmpty() const { return data.isEmpty() && pixmap.isNull(); }

    static std::shared_ptr<const Picture> empty();
    // Decodes image file bytes (icon, PNG, BMP, ...); undecodable bytes give an empty picture
    // that keeps its bytes, so nothing the host stored is lost.
    static std::shared_ptr<const Picture> fromData(const QByteArray& data);
    static std::shared_ptr<const Picture> fromPixmap(const QPixmap& pixmap);
};

using PictureRef = std::shared_ptr<const Picture>;

} // namespace vantrel
