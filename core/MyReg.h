#pragma once
// The registry object of the program: every operation opens the key of the current section, does one
// read or write and closes it again; reads answer the caller's default instead of failing.
//
// Path keeps the registry form "SOFTWARE\<Company>\<Product>\<Section>" (empty parts left out); the
// values live in the process's settings store, which holds the product's own key, so the store key is
// the section.

#include <cstdint>
#include <span>
#include <string>

class TMyReg {
public:
    TMyReg(std::string Company, std::string Product, std::string Section);

    void SetSection(std::string Section);

    const std::string &Path() const { return m_path; }
    const std::string &Company() const { return m_company; }
    const std::string &Product() const { return m_product; }
    const std::string &Section() const { return m_section; }

    // Writes create the key; nothing happens when it cannot be written.
    void WriteFloat(const std::string &Name, double Value); // an 8-byte binary value
    void WriteInteger(const std::string &Name, int32_t Value);
    void WriteBool(const std::string &Name, bool Value); // the integer 0 or 1
    void WriteBinary(const std::string &Name, std::span<const uint8_t> Buffer);

    // These create the key and answer Default for a missing value or one of another type or size.
    double ReadFloat(const std::string &Name, double Default);
    int32_t ReadInteger(const std::string &Name, int32_t Default);
    bool ReadBool(const std::string &Name, bool Default);

    // Neither creates the key. ReadBinary copies at most Buffer's size and answers the bytes copied, 0
    // when the key or a binary value Name is absent; GetDataSize answers the value's size, -1 when absent.
    int32_t ReadBinary(const std::string &Name, std::span<uint8_t> Buffer);
    int32_t GetDataSize(const std::string &Name);

private:
    void buildPath();

    std::string m_company;
    std::string m_product;
    std::string m_section;
    std::string m_path;
};
