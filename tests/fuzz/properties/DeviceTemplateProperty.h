#pragma once

#include <QByteArrayView>

// Puts arbitrary bytes in the place of the device template RX24.ini (an
// edited template is picked up while the plug-in runs) and asks every
// template query the model asks, for every module type and for the
// functions the template offers.
//
// Holds when: each query answers or raises AppError, nothing else; a
// template the reader refuses raises AppError 75 naming the file from every
// query; a channel count, when given, is the leading number of its key
// rounded to the nearest whole number, and a number that no byte holds is
// refused with AppError 6, never read as some other count.
class DeviceTemplateProperty
{
public:
    static void check(QByteArrayView input);
};
