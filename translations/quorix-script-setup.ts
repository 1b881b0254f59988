<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>LoopElement</name>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move down</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PendingPage</name>
    <message>
        <source>This version of the plug-in shows %1 objects but cannot edit them yet.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QChannelEdit</name>
    <message>
        <source>(none)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QImageSelector</name>
    <message>
        <source>Click to choose an image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose an image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.bmp *.gif);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read an image from %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QSetupEmailAccount</name>
    <message>
        <source>SMTP accounts are used in rules and scripts to send e-mail.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Encryption (SSL)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;font color=&quot;#808080&quot;&gt;default is 25 or 465&lt;/font&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SMTP Server Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SMTP Server Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account name should not be empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This account name is already used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is not a valid hostname</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Confirmation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to delete account &apos;%1&apos;?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QSetupLoop</name>
    <message>
        <source>Template loop interrupted by user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starting template loop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loop name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monitor number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activation on shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loop order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save and Run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Script to the clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Confirmation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to delete template loop &apos;%1&apos;?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QSetupSchedule</name>
    <message>
        <source>Schedule name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Enable schedule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Snap to 30 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modify</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel record mode control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Permanent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On Detector</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill with &amp;red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill with &amp;blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill with &amp;green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This channel is already used in another schedule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Confirmation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to delete schedule &apos;%1&apos;?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QSetupScriptsFolder</name>
    <message>
        <source>&lt;a href=&quot;newscript&quot;&gt;Create new script...&lt;/a&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server has %1 scripts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;a href=&quot;newrule&quot;&gt;Create new rule...&lt;/a&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server has %1 rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;a href=&quot;newschedule&quot;&gt;Create new schedule...&lt;/a&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server has %1 schedules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;a href=&quot;newemail&quot;&gt;Create new e-mail accout...&lt;/a&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server has %1 e-mail accounts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;a href=&quot;newloop&quot;&gt;Create new template loop...&lt;/a&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server has %1 template loops</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scripts and rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schedules, e-mail accounts and template loops</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QSetupTemplateLoop</name>
    <message>
        <source>s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
