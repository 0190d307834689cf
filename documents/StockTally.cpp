#include "documents/StockTally.h"
#include <utility>
#include "database/Lookups.h"

StockTally::StockTally(long long issueDate, OwnQuantity own) : m_issueDate(issueDate), m_own(std::move(own)) {}

bool StockTally::Take(unsigned long long product, double quantity)
{
    auto found = m_available.find(product);
    if (found == m_available.end()) {
        float stock = GetProductStockAtDate(m_issueDate, product);
        found = m_available.emplace(product, stock + m_own(product)).first;
    }
    m_needed[product] += quantity;
    return !(found->second - static_cast<float>(m_needed[product]) < 0);
}
