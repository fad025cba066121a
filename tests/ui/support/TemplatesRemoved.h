#pragma once

#include "report/ReportTemplate.h"

#include <QtGlobal>

// The resource functions must be named outside any namespace.
inline void removeReportTemplates()
{
    Q_CLEANUP_RESOURCE(templates);
}

inline void restoreReportTemplates()
{
    Q_INIT_RESOURCE(templates);
}

// While one of these lives, the report templates built into the program are gone, as if they
// could not be read.
namespace almavest::test {

class TemplatesRemoved final
{
public:
    TemplatesRemoved()
    {
        // Registered once by the report library; make sure it has been before taking it away.
        report::ReportTemplate::load(QStringLiteral(":/templates/summary.json"));
        removeReportTemplates();
    }
    ~TemplatesRemoved() { restoreReportTemplates(); }
    TemplatesRemoved(const TemplatesRemoved &) = delete;
    TemplatesRemoved &operator=(const TemplatesRemoved &) = delete;
};

} // namespace almavest::test
