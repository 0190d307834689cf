#pragma once
#include <string>
#include <vector>
#include "framework/utils/QString.h"

// The company-registry look-up by fiscal code: an HTTP GET of
// <base>/api/companies/<code>.json through WinINet on a worker thread, answered
// by one flat JSON object whose values are read by their keys' names ("cif",
// "denumire", "adresa", "oras", "telefon", "nrreg", "tva"); an answer without
// the fiscal code and the name is no company (the service's error objects).
// The caller waits at most ten seconds whatever the server does; an answer
// over 64 KiB counts as not found.

enum CompanyLookupOutcome {
    CompanyLookupFound,
    CompanyLookupNotFound,   // bad code, a status other than 200, an empty or unreadable answer
    CompanyLookupNoInternet, // no Internet session
    CompanyLookupNoServer,   // the request could not be made
};

// The values of the answer by key name; only string values carry text. A key
// given twice keeps its first value.
class CompanyLookupAnswer {
public:
    bool HasText(const wchar_t* key) const
    {
        int at = Find(key);
        return at >= 0 && m_isText[at];
    }
    micro::utils::QString Text(const wchar_t* key) const
    {
        return HasText(key) ? m_texts[Find(key)] : micro::utils::QString();
    }
    int Count() const { return static_cast<int>(m_isText.size()); }
    void Add(const std::wstring& key, bool isText, const micro::utils::QString& text)
    {
        if (Find(key.c_str()) >= 0)
            return;
        m_keys.push_back(key);
        m_isText.push_back(isText);
        m_texts.push_back(text);
    }

private:
    int Find(const wchar_t* key) const
    {
        for (size_t i = 0; i < m_keys.size(); ++i)
            if (m_keys[i] == key)
                return static_cast<int>(i);
        return -1;
    }
    std::vector<std::wstring> m_keys;
    std::vector<bool> m_isText;
    std::vector<micro::utils::QString> m_texts;
};

// Asks the service for the company with that fiscal code (trimmed; digits
// only). Past the deadline: CompanyLookupNoServer.
CompanyLookupOutcome LookupCompany(const micro::utils::QString& fiscalCode, CompanyLookupAnswer& answer);

// Reads a flat JSON object (UTF-8) into values by key, folding the
// Romanian letters to plain ones, dropping NULs and replacing lone surrogates.
// False when the text is no such object.
bool ParseCompanyAnswer(const std::string& body, CompanyLookupAnswer& answer);

// Tests point the look-up at a server of their own; null restores the program's address.
void SetCompanyLookupBaseAddress(const wchar_t* baseAddress);
// Tests shorten the wait; 0 restores the program's ten seconds.
void SetCompanyLookupDeadline(unsigned long milliseconds);
