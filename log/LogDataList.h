#pragma once
// TLogDataList: the rows of the log view.  A rebuild over a big log must not copy the fields of
// every QSO, so a row is the handle of its QSO and its line as it stood at the rebuild; the grid
// row (TLogData) is built from that line when it is asked for.  The rows are a snapshot: a line
// changed or removed later does not change them.

#include "log/LogbookPanelTypes.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <iterator>

class TLogDataList {
public:
    qsizetype size() const { return FIndexes.size(); }
    bool isEmpty() const { return FIndexes.isEmpty(); }
    void clear();
    void reserve(qsizetype n);
    void Append(int32_t index, const QString& line);
    void RemoveLast();

    // The row's handle (its TLogData::Index) and its line.
    int32_t IndexAt(qsizetype row) const { return FIndexes.at(row); }
    const QString& LineAt(qsizetype row) const { return FLines.at(row); }
    // The grid row, built from the line.
    TLogData At(qsizetype row) const;
    TLogData operator[](qsizetype row) const { return At(row); }

    // Walks the rows, building each as it is reached.
    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = TLogData;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = TLogData;

        const_iterator() = default;
        const_iterator(const TLogDataList* list, qsizetype row)
            : FList(list)
            , FRow(row)
        {
        }
        TLogData operator*() const { return FList->At(FRow); }
        const_iterator& operator++()
        {
            ++FRow;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++FRow;
            return before;
        }
        bool operator==(const const_iterator& other) const { return FRow == other.FRow; }

    private:
        const TLogDataList* FList = nullptr;
        qsizetype FRow = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    QList<int32_t> FIndexes;
    QStringList FLines;
};
