<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Localizable</name>
    <message>
        <source>KorvaneFree</source>
        <translation>Korvane Vandel</translation>
    </message>
    <message>
        <source>gps_off</source>
        <translation>No location source is delivering fixes. Start gpsd, connect your GPS receiver or allow location access for Korvane Vandel, then the needle will follow your speed.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
</context>
</TS>
