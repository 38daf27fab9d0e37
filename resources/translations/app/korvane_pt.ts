<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt">
<context>
    <name>Localizable</name>
    <message>
        <source>KorvaneFree</source>
        <translation>Korvane Vandel</translation>
    </message>
    <message>
        <source>gps_off</source>
        <translation>Nenhuma fonte de localização está a enviar posições. Inicie o gpsd, ligue o seu recetor GPS ou permita o acesso à localização ao Korvane Vandel, e o ponteiro seguirá a sua velocidade.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Definições</translation>
    </message>
</context>
</TS>
