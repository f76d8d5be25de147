#include "util/stringsort.h"

#include <algorithm>

namespace zelkora {

namespace {

// Ranges up to this many elements beyond the first are left to the insertion sort.
constexpr qsizetype kInsertionCutoff = 60;

class Sorter {
public:
    Sorter(QStringList& list, int order, int mode)
        : m_list(list)
        , m_order(order < 0 ? -1 : 1)
        , m_case(mode == CompareExact ? Qt::CaseSensitive : Qt::CaseInsensitive) {}

    void sort(qsizetype first, qsizetype last) {
        if (last - first <= kInsertionCutoff) {
            insertionSort(first, last);
            return;
        }
        while (first < last) {
            const qsizetype p = partition(first, last);
            if (last - p < p - first) {
                sort(p + 1, last);
                last = p - 1;
            } else {
                sort(first, p - 1);
                first = p + 1;
            }
        }
    }

private:
    QStringList& m_list;
    const int m_order;
    const Qt::CaseSensitivity m_case;

    // -1, 0 or 1, so that it can be matched against the order directly.
    int compare(const QString& x, const QString& y) const {
        const int c = QString::compare(x, y, m_case);
        return (c > 0) - (c < 0);
    }

    // True when x belongs after y in the requested order.
    bool after(const QString& x, const QString& y) const { return compare(x, y) == m_order; }

    void insertionSort(qsizetype first, qsizetype last) {
        for (qsizetype i = first + 1; i <= last; ++i) {
            QString t = std::move(m_list[i]);
            qsizetype j = i - 1;
            while (j >= first && after(m_list.at(j), t)) {
                m_list[j + 1] = std::move(m_list[j]);
                --j;
            }
            m_list[j + 1] = std::move(t);
        }
    }

    // Places the middle element at its final position and returns that position; the slot at
    // `first` serves as the hole the pivot finally drops into.
    qsizetype partition(qsizetype first, qsizetype last) {
        const qsizetype mid = first + (last - first) / 2;
        const QString pivot = m_list.at(mid);
        m_list[mid] = m_list.at(first);
        qsizetype j = first + 1;
        qsizetype i = last;
        for (;;) {
            while (j < i && after(pivot, m_list.at(j)))
                ++j;
            while (j <= i && after(m_list.at(i), pivot))
                --i;
            if (j >= i) {
                m_list[first] = m_list.at(i);
                m_list[i] = pivot;
                return i;
            }
            m_list.swapItemsAt(j, i);
            ++j;
            --i;
        }
    }
};

} // namespace

void SortStrings(QStringList& a, qsizetype first, qsizetype last, int order, int mode) {
    first = std::max<qsizetype>(first, 0);
    last = std::min<qsizetype>(last, a.size() - 1);
    if (first >= last)
        return;
    Sorter(a, order, mode).sort(first, last);
}

} // namespace zelkora
