#pragma once

#include <QHash>
#include <QIcon>
#include <QObject>

// The tree's pictures by key: "folder" for the root and catalogs, "fum" for formulas.
class ImageList : public QObject
{
    Q_OBJECT
public:
    static inline const QString Folder = QStringLiteral("folder");
    static inline const QString Formula = QStringLiteral("fum");

    explicit ImageList(QObject* parent);
    QIcon icon(const QString& key) const { return icons_.value(key); }

private:
    QHash<QString, QIcon> icons_;
};
