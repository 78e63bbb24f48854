#pragma once

#include "study/connectivityobject.h"
#include "study/studymanifestreader.h"
#include "study/subjectrecord.h"
#include "testfolder.h"

#include <QJsonArray>

#include <iostream>
#include <memory>
#include <optional>
#include <sstream>

struct TestCondition {
    QString name;
    int type = 1;
};

// A subject written to a temporary folder and loaded: one file per matrix
// (slice-1.csv, slice-2.csv, ...), condition k at t = 10 k. Without a flag,
// the protocol is used when there are conditions. A subject that does not
// load stops the test program.
class TestSubject {
public:
    TestSubject(const QStringList& names, const std::vector<Eigen::MatrixXf>& matrices,
                const QList<TestCondition>& conditions = {}, std::optional<bool> usesProto = {})
    {
        QStringList files;
        for (std::size_t k = 0; k < matrices.size(); ++k)
            files.append(m_folder.write(QStringLiteral("slice-%1.csv").arg(k + 1), testmanifest::csv(matrices[k])));
        for (QString& file : files)
            file = file.mid(m_folder.path().size() + 1);
        QJsonArray ordered;
        for (const TestCondition& c : conditions)
            ordered.append(QJsonObject{{"t", 10 * ordered.size()}, {"name", c.name}, {"type", c.type}});
        QJsonObject manifest = testmanifest::validManifest("sub-01", names, files);
        testmanifest::setKey(manifest, "configuration.ordered_conditions", ordered);
        testmanifest::setKey(manifest, "configuration.uses_proto", usesProto.value_or(!conditions.isEmpty()));
        const QString path = testmanifest::writeManifest(m_folder.path(), manifest);

        m_record = std::make_unique<SubjectRecord>(readStudyManifest(path.toStdString()),
                                                   m_folder.path().toStdString(), "manifest.json");
        subject = std::make_unique<ConnectivityObject>(m_record.get(), nullptr);
        std::ostringstream echo; // loading writes every matrix to standard output
        std::streambuf* out = std::cout.rdbuf(echo.rdbuf());
        const bool loaded = subject->loadMatrices();
        std::cout.rdbuf(out);
        if (!loaded)
            qFatal("test subject did not load: %s", qPrintable(subject->errorString()));
    }

    // "Region 0", "Region 1", ...
    static QStringList regions(int nodes)
    {
        QStringList names;
        for (int i = 0; i < nodes; ++i)
            names.append(QStringLiteral("Region %1").arg(i));
        return names;
    }

private:
    TestFolder m_folder;
    std::unique_ptr<SubjectRecord> m_record;

public:
    std::unique_ptr<ConnectivityObject> subject; // declared last: destroyed first
};
