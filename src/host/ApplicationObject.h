#pragma once

#include "platform/AppError.h"

#include <QString>
#include <memory>

class RegResultReceiver;

// The automation object "Application": what a director reads and sets before
// it sends its one command. It keeps no state of its own; every property is a
// global of the plug-in host or a property of the main window. The window
// properties read 0 or false and ignore writes once the start has failed.
class ApplicationObject
{
public:
    // Initialises the plug-in (InitApp), as creating the object does.
    ApplicationObject();
    ~ApplicationObject();
    ApplicationObject(const ApplicationObject &) = delete;
    ApplicationObject &operator=(const ApplicationObject &) = delete;

    int Height() const;
    void setHeight(int height);
    int Left() const;
    void setLeft(int left);
    int Top() const;
    void setTop(int top);
    int Width() const;
    void setWidth(int width);
    bool Minimized() const;
    void setMinimized(bool minimized);
    bool Visible() const;
    void setVisible(bool visible);

    // Read-only: writing raises ReadOnlyError().
    QString LcaVersion() const;
    QString ManufacturerId() const;
    QString ManufacturerName() const;
    QString Name() const;
    QString Version() const;
    static void refuseWrite();

    QString NetworkInterfaceName() const;
    void setNetworkInterfaceName(const QString &name);
    bool Remote() const;
    void setRemote(bool remote);
    // Always empty; a director's write is accepted and forgotten.
    QString NetworkName() const { return QString(); }
    void setNetworkName(const QString &) {}

    void SendCommand(qint32 commandId, qint16 classId, const QString &objectName);

    // The object is named as LnsObjectLocator describes. Only a LonMark
    // object is taken; anything else, or a name that does not resolve, is
    // ignored. Reads the name of the LonMark object taken, else empty.
    void setLnsObjectByTool(const QString &objectName);
    QString LnsObjectByTool() const;

    void setProgramIdsToRegister(const QString &programIds);
    // Takes the receiver of the registration result (null: none).
    void setRegResult(std::unique_ptr<RegResultReceiver> receiver);

    // 0x80044E22: 20002 above the base of object-defined errors.
    static constexpr long ReadOnlyErrorNumber = 0x80044E22L;
    static AppError ReadOnlyError();

private:
    std::unique_ptr<RegResultReceiver> m_regResult;
    QString m_lnsObjectName;
};
