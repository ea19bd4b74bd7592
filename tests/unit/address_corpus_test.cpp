// The address proposals against a standard parser: every form of the corpus
// (tests/corpus/forms.py; the reference written by tests/corpus/reference.py
// with Python's email.utils.getaddresses and email.header) gives the same
// addresses in order and, where the reference has a display name, the same
// decoded name. A bare address has no name there; here its local part is
// proposed, by design. The forms listed in KnownDifferences are explained
// there; the held-out corpus must agree in full. The malformed forms are
// held to the plain split instead (malformed.tsv, written by the same
// script): where mail's rules fail, every entry is the plain rules'.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "mail/address_parts.h"
#include "platform/posix/iconv_charsets.h"
#include "testhost/scenario/scenario.h"

namespace tandrel {
namespace {

struct Form {
    std::string value;
    std::vector<NameAddress> expected;
};

std::vector<Form> ReadCorpus(const std::string& name) {
    std::ifstream in(std::string(TANDREL_SOURCE_DIR) + "/tests/corpus/" + name);
    std::vector<Form> forms;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();  // a checkout with CR LF line ends
        }
        if (line.empty()) {
            continue;
        }
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');) {
            fields.push_back(testhost::DecodeEscapes(field));
        }
        if (line.back() == '\t') {
            fields.emplace_back();
        }
        if (fields.size() == 2 && fields[0] == "V") {
            forms.push_back({fields[1], {}});
        } else if (fields.size() == 3 && fields[0] == "E" && !forms.empty()) {
            forms.back().expected.push_back({fields[2], fields[1]});
        }
    }
    return forms;
}

// What differs from the reference for this form, or nothing.
std::string Difference(const Form& form, Charsets& charsets) {
    std::vector<NameAddress> choices = AddressChoices(form.value, kNoLeadBytes, &charsets);
    // The reference leaves out parts without an address (a trailing comma's).
    std::vector<NameAddress> proposed;
    for (NameAddress& choice : choices) {
        if (!choice.address.empty()) {
            proposed.push_back(std::move(choice));
        }
    }
    std::ostringstream difference;
    if (proposed.size() != form.expected.size()) {
        difference << proposed.size() << " entries, the reference " << form.expected.size();
    }
    for (std::size_t i = 0; i < proposed.size() && i < form.expected.size(); ++i) {
        const NameAddress& expected = form.expected[i];
        if (proposed[i].address != expected.address) {
            difference << " address " << i << ": " << proposed[i].address << " against "
                       << expected.address;
        }
        if (!expected.name.empty() && proposed[i].name != expected.name) {
            difference << " name " << i << ": " << proposed[i].name << " against " << expected.name;
        }
    }
    return difference.str();
}

// Forms the proposals take differently from the reference, and why.
const std::map<std::string, std::string>& KnownDifferences() {
    static const std::map<std::string, std::string> kDifferences = {
        {"a@example.com (one (two, three) four), b@example.com",
         "a name in a comment is proposed as written: the parentheses of a comment inside it "
         "stay, where the reference drops them"},
    };
    return kDifferences;
}

TEST(AddressCorpus, AgreesWithTheReferenceOrTheDifferenceIsExplained) {
    IconvCharsets utf8("UTF-8");
    const std::vector<Form> forms = ReadCorpus("address_forms.tsv");
    ASSERT_GE(forms.size(), 60U);
    for (const Form& form : forms) {
        const std::string difference = Difference(form, utf8);
        const auto known = KnownDifferences().find(form.value);
        if (known != KnownDifferences().end()) {
            EXPECT_FALSE(difference.empty()) << "no longer differs: " << form.value;
            continue;
        }
        EXPECT_EQ(difference, "") << form.value;
    }
}

TEST(AddressCorpus, TheHeldOutFormsAgreeInFull) {
    IconvCharsets utf8("UTF-8");
    const std::vector<Form> forms = ReadCorpus("held_out.tsv");
    ASSERT_GE(forms.size(), 15U);
    for (const Form& form : forms) {
        EXPECT_EQ(Difference(form, utf8), "") << form.value;
    }
}

TEST(AddressCorpus, TheMalformedFormsGiveThePlainSplitsEveryEntry) {
    IconvCharsets utf8("UTF-8");
    const std::vector<Form> forms = ReadCorpus("malformed.tsv");
    ASSERT_GE(forms.size(), 10U);
    for (const Form& form : forms) {
        std::string proposed;
        for (const NameAddress& choice : AddressChoices(form.value, kNoLeadBytes, &utf8)) {
            proposed += choice.address + "|" + choice.name + "\n";
        }
        std::string expected;
        for (const NameAddress& entry : form.expected) {
            expected += entry.address + "|" + entry.name + "\n";
        }
        EXPECT_EQ(proposed, expected) << form.value;
    }
}

}  // namespace
}  // namespace tandrel
