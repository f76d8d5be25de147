#include "app/core/scanner.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

// Sources numbered from 0 to count - 1, as real back ends number them.
class FakeSources final : public ScannerSources {
public:
    explicit FakeSources(QStringList names)
        : m_names(std::move(names)) {}
    bool open() override { return true; }
    int sourceCount() override { return static_cast<int>(m_names.size()); }
    std::optional<QString> sourceName(int index) override {
        if (index < 0 || index >= m_names.size())
            return std::nullopt;
        return m_names.at(index);
    }
    bool selectSource(int index) override {
        selected = index;
        return true;
    }
    int selected = -1;

private:
    QStringList m_names;
};

TEST(SelectScannerTest, MatchesTheConfiguredModelExactly) {
    const QStringList models{QStringLiteral("DocketPORT 665"), QStringLiteral("frontend-tester")};
    struct Case {
        QStringList sources;
        int model;
        bool found;
        int selected;
        int modelAfter;
    };
    const Case cases[] = {
        {{QStringLiteral("Flatbed"), QStringLiteral("DocketPORT 665")}, 1, true, 1, 1},
        {{QStringLiteral("frontend-tester")}, 2, true, 0, 2},
        {{QStringLiteral("docketport 665")}, 1, false, -1, 1}, // names keep their case
        {{QStringLiteral("DocketPORT 665")}, 0, true, 0, 1},   // 0 becomes the first model
        {{QStringLiteral("DocketPORT 665")}, 5, true, 0, 1},   // past the end too
        {{}, 1, false, -1, 1},
    };
    for (const Case& c : cases) {
        FakeSources sources(c.sources);
        int model = c.model;
        EXPECT_EQ(SelectScanner(sources, model, models), c.found)
            << c.sources.join(u',').toStdString();
        EXPECT_EQ(sources.selected, c.selected);
        EXPECT_EQ(model, c.modelAfter);
    }
}

TEST(SelectScannerTest, TheProductBackEndHasNoSources) {
    NoScannerSources none;
    int model = 1;
    EXPECT_FALSE(SelectScanner(none, model, {QStringLiteral("DocketPORT 665")}));
}

} // namespace
} // namespace zelkora
