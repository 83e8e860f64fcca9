#pragma once

#include "platform/lns/LnsConfigProperty.h"

#include <QList>
#include <QString>

class cParams;

// The in-memory image of one CP as plain bytes (1-based), for parameters that
// show only part of a CP and for the device model. The whole CP moves between
// the bytes and LNS in the RAW value format; the CP's own format is put back
// after every read and write.
//
// An array CP holds Dimension elements of ElementByteLength bytes one after
// the other; element i occupies bytes (i - 1) * ElementByteLength + 1 onwards.
class cConfigProp
{
public:
    int ClassId() const;
    cParams *Parent() const { return m_parent; }

    // The collection (and the registration procedures) set these at creation.
    void init(cParams *parent, const QString &name, const LnsRef<LnsConfigProperty> &cp,
              const QString &cpIniName);
    void setAvailable(bool available) { m_available = available; }

    LnsRef<LnsConfigProperty> ConfigProperty() const { return m_configProperty; }
    // Takes the CP as it is: nothing is read or allocated.
    void setConfigProperty(const LnsRef<LnsConfigProperty> &cp) { m_configProperty = cp; }
    bool CpFetched() const { return m_configProperty != nullptr; }

    // The owner whose CP this is, for a fetch on first use.
    LnsRef<LnsObject> CpOwner() const { return m_cpOwner; }
    void setCpOwner(const LnsRef<LnsObject> &owner) { m_cpOwner = owner; }
    bool LateFetch() const { return m_lateFetch; }
    void setLateFetch(bool lateFetch) { m_lateFetch = lateFetch; }

    // Sizes are asked of the CP once and kept; -1 without a CP.
    int Dimension();
    int ElementByteLength();
    int ByteLength();

    // The byte at index (1 .. ByteLength). The first get of this object's life
    // reads the CP from LNS; later gets use the bytes in memory. Index out of
    // range, or no bytes yet: AppError 9.
    quint8 ByteValue(int index);
    // Changes the byte in memory only.
    void setByteValue(int index, quint8 value);

    const QString &CpIniName() const { return m_cpIniName; }
    const QString &Name() const { return m_name; }
    bool Available() const { return m_available; }

    bool DontReadFromLns() const { return m_dontReadFromLns; }
    void setDontReadFromLns(bool v) { m_dontReadFromLns = v; }
    bool DontWriteToLns() const { return m_dontWriteToLns; }
    void setDontWriteToLns(bool v) { m_dontWriteToLns = v; }

    void ReadFromLns(bool fetchCpIfRequired = false);
    // LNS errors do not stop the write; they are dropped at its end.
    void WriteToLns();
    // Obtains the CP through its line in the plug-in description file, from
    // the owner (device or LonMark object).
    bool FetchCp(bool forceFetch = false);

private:
    void allocate();
    void checkIndex(int index) const;
    void parseInto(const QString &rawText, int position);
    QString format(int position, int count) const;

    LnsRef<LnsObject> m_cpOwner;
    bool m_lateFetch = false;
    cParams *m_parent = nullptr;
    LnsRef<LnsConfigProperty> m_configProperty;
    QString m_name;
    QString m_cpIniName;
    bool m_available = false;
    bool m_bytesLoaded = false;
    bool m_dontReadFromLns = false;
    bool m_dontWriteToLns = false;
    int m_byteLength = 0;
    int m_dimension = 0;
    int m_elementByteLength = 0;
    QList<quint8> m_bytes;
};
