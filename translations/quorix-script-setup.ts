<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>AttachmentsList</name>
    <message>
        <source>Video exported from action %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Screenshot exported from action %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tillora report exported from action %1%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
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
    <name>QSetupCloudScript</name>
    <message>
        <source>Waiting for script engine to start...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insufficient rights</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to load script parameters.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scripts engine has not started yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Script name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloaded</source>
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
    <message>
        <source>This loop order is too long to show whole: only its first %1 elements are listed. The stored order is kept unless you change the list.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QSetupRule</name>
    <message>
        <source>ERROR: e-mail attachment &apos;%s&apos; not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>integer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>string</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>real</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>end time YYYY-MM-DD HH:MM:SS:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>start time YYYY-MM-DD HH:MM:SS:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>time YYYY-MM-DD HH:MM:SS:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in quotes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wait (seconds): </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play sound:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export video: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>substream</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take Screenshot:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Tillora report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Events vs Operators</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Events vs Devices</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Goods vs Cashiers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discount Cards vs Cashiers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cashiers vs Total Receipt Prices Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cashiers vs Receipt Durations Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Terminals vs Receipt Durations Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cashiers Statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Goods Statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Violations Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Incidents Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Goods vs Terminals</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Average Incidents Review Duration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>24 hours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Report type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interval</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change setting:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Call method: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>of object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send E-Mail:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subject:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AND</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter logical expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>origin name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>origin guid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Equals </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace Confirmation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to replace existing condition?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rule name:</source>
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
        <source>Run count:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error count:</source>
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
        <source>Reset rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please, select type of activation:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On schedule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On state change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On settings change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On action run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activation on event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event Types:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Objects:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All objects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activation on shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On Release</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On Keyboard:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On Panel:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activation on schedule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When schedule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>enters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>zone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activation on state change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please, select objects:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activation on settings change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please, select settings:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activation on action run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Condition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Always</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add condition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wait</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play Sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Screenshot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send E-mail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Generate Tillora Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User function</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Objects state</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Confirmation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to reset rule &apos;%1&apos;?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Confirmation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to delete rule &apos;%1&apos;?</source>
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
    <name>QSetupScript</name>
    <message>
        <source>Script description:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Revert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Script parameters:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WARNING: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Script &amp;name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Enable script</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run count:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error count:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save and Run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Publish</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load example...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Translation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edi&amp;tor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To file...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To file (unencoded)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From file...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Objects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>English</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kazakh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Russian</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turkish</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ukrainian</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another language...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To add translation fill version/company/title sections of parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To add translation create script data folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error adding language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language &quot;%1&quot; already exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot launch Qt Linguist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your current script will be lost. Continue?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select file to load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Python scripts (*.py)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To set data folder fill version/company/title sections of parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Script Data Folder doesn&apos;t exist. Do you want do create it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Confirmation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to delete script &apos;%1&apos;?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parame&amp;ters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L: %1	C: %2</source>
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
    <name>QSetupStockScript</name>
    <message>
        <source>Script &amp;name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Enable script</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run count:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error count:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Script description:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Script parameters:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Revert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edi&amp;tor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The script&apos;s file name &quot;%1&quot; is not a name inside the stock folder; the file is neither read nor written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The script file &quot;%1&quot; cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The script file was not written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The script file was not written: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The script could not be written to %1; the previous file is unchanged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save and Run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parame&amp;ters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L: %1	C: %2</source>
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
<context>
    <name>script_publish</name>
    <message>
        <source>cannot read resource %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
