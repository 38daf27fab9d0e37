<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>RatePrompt</name>
    <message>
        <source>RatePromptMessageTitle</source>
        <translation>%@ bewerten</translation>
    </message>
    <message>
        <source>RatePromptAppMessage</source>
        <translation>Wenn dir %@ gefällt, würdest du dir einen Moment Zeit nehmen, um es zu bewerten? Es dauert nicht länger als eine Minute. Danke für deine Unterstützung!</translation>
    </message>
    <message>
        <source>RatePromptGameMessage</source>
        <translation>Wenn dir das Spielen von %@ Spaß macht, würdest du dir einen Moment Zeit nehmen, um es zu bewerten? Es dauert nicht länger als eine Minute. Danke für deine Unterstützung!</translation>
    </message>
    <message>
        <source>RatePromptCancelButton</source>
        <translation>Nein, danke</translation>
    </message>
    <message>
        <source>RatePromptRateButton</source>
        <translation>Jetzt bewerten</translation>
    </message>
    <message>
        <source>RatePromptRemindButton</source>
        <translation>Später erinnern</translation>
    </message>
</context>
</TS>
