#pragma once
#include <functional>
#include <map>

// Adds up a document's quantities per product, line by line, and compares each
// running sum with the product's stock at the end of the issue day (single
// precision). The document's own stored lines, which that stock already takes
// out, are given back first through `own` so they are not counted twice.
class StockTally {
public:
    using OwnQuantity = std::function<float(unsigned long long product)>;
    StockTally(long long issueDate, OwnQuantity own);

    // Adds the line; false when the product's lines so far need more than
    // there is (a stock exactly equal to the need passes).
    bool Take(unsigned long long product, double quantity);

private:
    long long m_issueDate;
    OwnQuantity m_own;
    std::map<unsigned long long, float> m_available;
    std::map<unsigned long long, double> m_needed;
};
