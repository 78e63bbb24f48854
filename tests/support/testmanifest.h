#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <Eigen/Dense>

// Builders for study manifests and matrix files in temporary folders.
namespace testmanifest {

// A complete manifest whose subject has the given VOI names, all selected in
// order, one final matrix file per entry of matrixFiles and no protocol.
QJsonObject validManifest(const QString& uniqueId, const QStringList& voiNames, const QStringList& matrixFiles);

// Sets or removes the member at a dotted path ("configuration.uses_proto").
void setKey(QJsonObject& root, const QString& dottedPath, const QJsonValue& value);
void removeKey(QJsonObject& root, const QString& dottedPath);

// Writes the bytes to dir/name, creating folders on the way; returns the path.
QString writeFile(const QString& dir, const QString& name, const QByteArray& bytes);
QString writeManifest(const QString& dir, const QJsonObject& manifest, const QString& name = "manifest.json");

// The matrix as comma-separated text, one row per line.
QByteArray csv(const Eigen::MatrixXf& matrix);

} // namespace testmanifest
