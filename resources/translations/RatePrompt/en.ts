<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>RatePrompt</name>
    <message>
        <source>RatePromptMessageTitle</source>
        <translation>Rate %@</translation>
    </message>
    <message>
        <source>RatePromptAppMessage</source>
        <translation>If you enjoy using %@, would you mind taking a moment to rate it? It won’t take more than a minute. Thanks for your support!</translation>
    </message>
    <message>
        <source>RatePromptGameMessage</source>
        <translation>If you enjoy playing %@, would you mind taking a moment to rate it? It won’t take more than a minute. Thanks for your support!</translation>
    </message>
    <message>
        <source>RatePromptCancelButton</source>
        <translation>No, Thanks</translation>
    </message>
    <message>
        <source>RatePromptRateButton</source>
        <translation>Rate It Now</translation>
    </message>
    <message>
        <source>RatePromptRemindButton</source>
        <translation>Remind Me Later</translation>
    </message>
</context>
</TS>
