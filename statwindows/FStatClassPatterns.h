#pragma once
// The window of a per-draw class table with a pattern table beside it ("Kolejne liczby", "Różne"):
// details, grouping and summary of the classes, details and grouping of the patterns, on five pages.
// Each statistic's window gives its descriptor, its statistic and the sources over it.

#include "statwindows/ClassTablePage.h"
#include "statwindows/FStatGeneral.h"

#include <array>
#include <memory>
#include <string>

class QLabel;
class QTabWidget;
class TClassTableSource;
class TPatternTableSource;
class TPatternTablePage;

struct TClassPatternsDescriptor {
    int StatIndex = 0;
    QString CaptionText;
    std::string StatName; // in the report's header
    QString RangeCaption; // before the range line; none when empty
    std::array<QString, 5> PageCaptions = {QStringLiteral("Szczegóły"), QStringLiteral("Szczegóły - grupowanie"),
                                           QStringLiteral("Szczegóły - podsumowanie"),
                                           QStringLiteral("Układy - szczegóły"), QStringLiteral("Układy - grupowanie")};
    std::array<QString, 5> ReportItems = PageCaptions;
    std::array<std::string, 5> SheetNames = {"Szczegóły", "Szczegóły - grupowanie", "Szczegóły - podsumowanie",
                                             "Układy - szczegóły", "Układy - grupowanie"};
    TClassTableLayout Classes;
    QString SystemDrawCaption; // of draw columns over a system; "Los." when empty
};

class TfrmStatClassPatterns : public TGenStatForm {
    Q_OBJECT

public:
    explicit TfrmStatClassPatterns(const TClassPatternsDescriptor &Descriptor, QWidget *Owner = nullptr);
    ~TfrmStatClassPatterns() override;

    QLabel *lblDateDesc = nullptr;
    QTabWidget *PageControl2;
    TClassTablePage *Classes;
    TPatternTablePage *Patterns;

protected:
    // The sources over the statistic the window has created; from CreateStat.
    void SetSources(std::unique_ptr<TClassTableSource> AClasses, std::unique_ptr<TPatternTableSource> APatterns);
    // The statistic found something to show.
    virtual bool HasClasses() const { return true; }

    void SetupControls() override;
    void ClearResults() override;
    bool ShowResults() override;
    void Report() override;

private:
    const TClassPatternsDescriptor FDescriptor;
    std::unique_ptr<TClassTableSource> FClassSource;
    std::unique_ptr<TPatternTableSource> FPatternSource;
};
