#pragma once
#include <string>
#include <vector>
#include "framework/utils/QString.h"

// The company-registry look-up by fiscal code: an HTTP GET of
// <base>/api/companies/<code>.json through WinINet on a worker thread, answered
// by one flat JSON object whose values are read by the position of their keys.
// The caller waits at most ten seconds whatever the server does; an answer
// over 64 KiB counts as not found.

enum CompanyLookupOutcome {
    CompanyLookupFound,
    CompanyLookupNotFound,   // bad code, a status other than 200, an empty or unreadable answer
    CompanyLookupNoInternet, // no Internet session
    CompanyLookupNoServer,   // the request could not be made
};

// The values of the answer by key position; only string values carry text.
class CompanyLookupAnswer {
public:
    bool HasText(int position) const
    {
        return position >= 0 && position < static_cast<int>(m_isText.size()) && m_isText[position];
    }
    micro::utils::QString Text(int position) const
    {
        return HasText(position) ? m_texts[position] : micro::utils::QString();
    }
    int Count() const { return static_cast<int>(m_isText.size()); }
    void Add(bool isText, const micro::utils::QString& text)
    {
        m_isText.push_back(isText);
        m_texts.push_back(text);
    }

private:
    std::vector<bool> m_isText;
    std::vector<micro::utils::QString> m_texts;
};

// Asks the service for the company with that fiscal code (trimmed; digits
// only). Past the deadline: CompanyLookupNoServer.
CompanyLookupOutcome LookupCompany(const micro::utils::QString& fiscalCode, CompanyLookupAnswer& answer);

// Reads a flat JSON object (UTF-8) into values by position, folding the
// Romanian letters to plain ones, dropping NULs and replacing lone surrogates.
// False when the text is no such object.
bool ParseCompanyAnswer(const std::string& body, CompanyLookupAnswer& answer);

// Tests point the look-up at a server of their own; null restores the program's address.
void SetCompanyLookupBaseAddress(const wchar_t* baseAddress);
// Tests shorten the wait; 0 restores the program's ten seconds.
void SetCompanyLookupDeadline(unsigned long milliseconds);
