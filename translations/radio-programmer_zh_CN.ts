<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AppContext</name>
    <message>
        <source>The help page %1 is missing. It belongs in the program&apos;s folder, %2; installing the program again restores it.</source>
        <translation>帮助页 %1 不见了。它应在程序所在的文件夹 %2 中；重新安装程序即可恢复。</translation>
    </message>
</context>
<context>
    <name>CBackupsDlg</name>
    <message>
        <source>Backups are switched off (BackupDir=off in Program.ini): reads keep no copy.</source>
        <translation>备份已关闭（Program.ini 中 BackupDir=off）：读取时不保留副本。</translation>
    </message>
    <message>
        <source>No backups yet in %1. Every complete Program &gt; Read keeps one there.</source>
        <translation>%1 中还没有备份。每次完整的“编程 &gt; 读频”都会在那里保留一份。</translation>
    </message>
    <message>
        <source>Images kept from reading radios, in %1:</source>
        <translation>从电台读出并保留的数据，位于 %1：</translation>
    </message>
    <message>
        <source>Radio backups</source>
        <translation>电台备份</translation>
    </message>
</context>
<context>
    <name>CCellAccess</name>
    <message>
        <source>priority channel</source>
        <translation>优先信道</translation>
    </message>
    <message>
        <source>channel %1</source>
        <translation>信道 %1</translation>
    </message>
    <message>
        <source>%1, %2: %3</source>
        <translation>%1，%2：%3</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>空</translation>
    </message>
    <message>
        <source>changed from %1</source>
        <translation>原为 %1</translation>
    </message>
</context>
<context>
    <name>CChildFrame</name>
    <message>
        <source>Band in force</source>
        <translation>当前频段</translation>
    </message>
    <message>
        <source>The band the image holds; a write sends it to the radio (Product Information)</source>
        <translation>数据中保存的频段；写频时会写入电台（类型设置）</translation>
    </message>
</context>
<context>
    <name>CColumnMapPanel</name>
    <message>
        <source>Channel n&amp;umber</source>
        <translation>信道号(&amp;U)</translation>
    </message>
    <message>
        <source>Rx fre&amp;quency</source>
        <translation>接收频率(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Tx frequency</source>
        <translation>发射频率(&amp;T)</translation>
    </message>
    <message>
        <source>O&amp;ffset</source>
        <translation>频差(&amp;F)</translation>
    </message>
    <message>
        <source>Offset &amp;direction</source>
        <translation>频差方向(&amp;D)</translation>
    </message>
    <message>
        <source>Tx t&amp;one</source>
        <translation>发射信令(&amp;O)</translation>
    </message>
    <message>
        <source>Rx ton&amp;e</source>
        <translation>接收信令(&amp;E)</translation>
    </message>
    <message>
        <source>D&amp;CS code</source>
        <translation>DCS 码(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Power</source>
        <translation>功率(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Bandwidth</source>
        <translation>带宽(&amp;B)</translation>
    </message>
    <message>
        <source>Mode (di&amp;gital rows skipped)</source>
        <translation>模式（跳过数字制式的行）(&amp;G)</translation>
    </message>
    <message>
        <source>&amp;Scan</source>
        <translation>扫描(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>名字(&amp;N)</translation>
    </message>
    <message>
        <source>Columns of the file</source>
        <translation>文件的列</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>（无）</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>(no name)</source>
        <translation>（无名称）</translation>
    </message>
    <message>
        <source>The columns are set as for the last file with this header. Change them if the preview is wrong; Import remembers them.</source>
        <translation>各列按上次具有相同表头的文件设置。如果预览有误请修改；“导入”会记住这些设置。</translation>
    </message>
    <message>
        <source>The file&apos;s columns are not a layout the program knows. The columns below are guessed from their names: check them against the preview; Import remembers them for files with this header.</source>
        <translation>文件的列不是程序已知的格式。下面的列是根据列名猜测的：请对照预览检查；“导入”会为具有此表头的文件记住这些设置。</translation>
    </message>
</context>
<context>
    <name>CComSetupDlg</name>
    <message>
        <source>COM Setup</source>
        <translation>通信口设置</translation>
    </message>
    <message>
        <source>&amp;Test</source>
        <translation>测试(&amp;T)</translation>
    </message>
    <message>
        <source>Check the chosen port and whether a radio answers</source>
        <translation>检查所选端口，以及是否有电台应答</translation>
    </message>
    <message>
        <source>Virtual radio (built-in)</source>
        <translation>虚拟电台（内置）</translation>
    </message>
    <message>
        <source>Port Test</source>
        <translation>端口测试</translation>
    </message>
    <message>
        <source>Choose a port first.</source>
        <translation>请先选择一个端口。</translation>
    </message>
    <message>
        <source>The built-in virtual radio needs no cable or port: it always answers.</source>
        <translation>内置虚拟电台不需要编程线或端口：它总会应答。</translation>
    </message>
</context>
<context>
    <name>CComparePanel</name>
    <message>
        <source>(empty)</source>
        <translation>（空）</translation>
    </message>
    <message>
        <source>%1 difference</source>
        <translation>%1 处差别</translation>
    </message>
    <message>
        <source>%1 differences</source>
        <translation>%1 处差别</translation>
    </message>
</context>
<context>
    <name>CImportPreviewDlg</name>
    <message>
        <source>line %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <source>%1: choose the column that holds the Rx frequency.</source>
        <translation>%1：请选择存放接收频率的列。</translation>
    </message>
    <message>
        <source>Channel the file&apos;s first channel goes to</source>
        <translation>文件的第一个信道移到的信道</translation>
    </message>
    <message>
        <source>Channels that change, now and after the import</source>
        <translation>将改变的信道，导入前与导入后</translation>
    </message>
    <message>
        <source>Findings</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>changed from %1</source>
        <translation>原为 %1</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>空</translation>
    </message>
</context>
<context>
    <name>CLanguageDlg</name>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英文</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
</context>
<context>
    <name>CMSFlexGrid</name>
    <message>
        <source>Channels</source>
        <translation>信道</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>Create a new document
New</source>
        <translation>新建一个文档
新建</translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation>打开一个已有的文档
打开</translation>
    </message>
    <message>
        <source>Close the active document
Close</source>
        <translation>关闭当前文档
关闭</translation>
    </message>
    <message>
        <source>Save the active document
Save</source>
        <translation>保存当前文档
保存</translation>
    </message>
    <message>
        <source>Save the active document with a new name
Save As</source>
        <translation>以新文件名保存当前文档
另存为</translation>
    </message>
    <message>
        <source>Import channels from a CSV file or a radioprog dump listing
Import Channels</source>
        <translation>从 CSV 文件或 radioprog dump 列表导入信道
导入信道</translation>
    </message>
    <message>
        <source>Export the channels as a CSV file
Export Channels</source>
        <translation>把信道导出为 CSV 文件
导出信道</translation>
    </message>
    <message>
        <source>Change the printing options
Page Setup</source>
        <translation>更改打印选项
页面设置</translation>
    </message>
    <message>
        <source>Print the active document
Print</source>
        <translation>打印当前文档
打印</translation>
    </message>
    <message>
        <source>Print the active document without asking
Print Direct</source>
        <translation>不经询问直接打印当前文档
直接打印</translation>
    </message>
    <message>
        <source>Display full pages
Print Preview</source>
        <translation>显示整页
打印预览</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>显示程序信息、版本号和版权
关于</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>退出程序；会提示保存文档
退出</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>显示或隐藏工具栏
切换工具栏</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>显示或隐藏状态栏
切换状态栏</translation>
    </message>
    <message>
        <source>Write this document to several radios at once, in rounds, with a log
Write to Several Radios</source>
        <translation>把本文档分轮同时写入多台电台，并记录日志
写入多台电台</translation>
    </message>
    <message>
        <source>Open one of the images kept from reading radios
Radio Backups</source>
        <translation>打开一份从电台读出并保留的数据
电台备份</translation>
    </message>
    <message>
        <source>Show the differences to another channel file
Compare</source>
        <translation>显示与另一个信道文件的差别
比较</translation>
    </message>
    <message>
        <source>Show the differences to the last backup of this radio
Compare with Backup</source>
        <translation>显示与本电台最近一次备份的差别
与备份比较</translation>
    </message>
    <message>
        <source>Undo the last change
Undo</source>
        <translation>撤销上一次修改
撤销</translation>
    </message>
    <message>
        <source>Redo the change undone last
Redo</source>
        <translation>重做上一次撤销的修改
重做</translation>
    </message>
    <message>
        <source>Cut the selected cells and put them on the Clipboard
Cut</source>
        <translation>剪切选中的单元格并放到剪贴板
剪切</translation>
    </message>
    <message>
        <source>Copy the selected cells to the Clipboard
Copy</source>
        <translation>把选中的单元格复制到剪贴板
复制</translation>
    </message>
    <message>
        <source>Insert the Clipboard&apos;s cells at the selection
Paste</source>
        <translation>把剪贴板中的单元格插入到选中处
粘贴</translation>
    </message>
    <message>
        <source>Erase the selected cells
Clear</source>
        <translation>清除选中的单元格
清除</translation>
    </message>
    <message>
        <source>Select every channel cell
Select All</source>
        <translation>选中所有信道单元格
全选</translation>
    </message>
    <message>
        <source>Insert an empty channel; the channels below move down
Insert Channel</source>
        <translation>插入一个空信道；下面的信道下移
插入信道</translation>
    </message>
    <message>
        <source>Delete the selected channels; the channels below move up
Delete Channel</source>
        <translation>删除选中的信道；下面的信道上移
删除信道</translation>
    </message>
    <message>
        <source>Swap the selected channels with the one above
Move Up</source>
        <translation>把选中的信道与上面一个交换
上移</translation>
    </message>
    <message>
        <source>Swap the selected channels with the one below
Move Down</source>
        <translation>把选中的信道与下面一个交换
下移</translation>
    </message>
    <message>
        <source>Copy the top cell of each selected column into the cells below
Fill Down</source>
        <translation>把每个选中列最上面的单元格复制到下面的单元格
向下填充</translation>
    </message>
    <message>
        <source>Order the selected channels (or all) by Rx Frequency
Sort by Rx Frequency</source>
        <translation>按接收频率排列选中的信道（或全部信道）
按接收频率排序</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>剪切(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>Cl&amp;ear</source>
        <translation>清除(&amp;E)</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>全选(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Insert Channel</source>
        <translation>插入信道(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;Delete Channel</source>
        <translation>删除信道(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Move Up</source>
        <translation>上移(&amp;M)</translation>
    </message>
    <message>
        <source>Move Do&amp;wn</source>
        <translation>下移(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Fill Down</source>
        <translation>向下填充(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Sort by Rx Frequency</source>
        <translation>按接收频率排序(&amp;S)</translation>
    </message>
    <message>
        <source>Channel lists (*.csv *.tsv *.txt);;CSV files (*.csv);;radioprog dump listings (*.tsv *.txt);;All files (*)</source>
        <translation>信道列表 (*.csv *.tsv *.txt);;CSV 文件 (*.csv);;radioprog dump 列表 (*.tsv *.txt);;所有文件 (*)</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;radioprog dump listings, TAB-separated (*.tsv)</source>
        <translation>CSV 文件 (*.csv);;radioprog dump 列表，制表符分隔 (*.tsv)</translation>
    </message>
    <message>
        <source>There is no channel document open. Create one with File &gt; New or open a channel file first.</source>
        <translation>没有打开的信道文档。请先用“文件 &gt; 新建”创建一个，或打开一个信道文件。</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>新建(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>打开(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>关闭(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Import Channels...</source>
        <translation>导入信道(&amp;I)...</translation>
    </message>
    <message>
        <source>&amp;Export Channels...</source>
        <translation>导出信道(&amp;E)...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>打印(&amp;P)...</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>打印预览(&amp;V)</translation>
    </message>
    <message>
        <source>Print &amp;Direct</source>
        <translation>直接打印(&amp;D)</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>打印设置(&amp;R)...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>C&amp;hannel Information</source>
        <translation>信道信息(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Optional Features</source>
        <translation>可选功能(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Read</source>
        <translation>读频(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Write</source>
        <translation>写频(&amp;W)</translation>
    </message>
    <message>
        <source>Write to &amp;Several Radios...</source>
        <translation>写入多台电台(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>工具栏(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>状态栏(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Control Bar</source>
        <translation>导航栏(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Com Setup</source>
        <translation>通信口设置(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;About Program...</source>
        <translation>关于程序(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>查看(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Setup</source>
        <translation>设置(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Program</source>
        <translation>编程(&amp;P)</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>撤销%1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>重做%1</translation>
    </message>
    <message>
        <source>Radio &amp;Backups...</source>
        <translation>电台备份(&amp;B)...</translation>
    </message>
    <message>
        <source>Co&amp;mpare With...</source>
        <translation>比较(&amp;M)...</translation>
    </message>
    <message>
        <source>Compare with &amp;Last Backup</source>
        <translation>与最近的备份比较(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>窗口(&amp;W)</translation>
    </message>
    <message>
        <source>No documents open</source>
        <translation>没有打开的文档</translation>
    </message>
    <message>
        <source>  (hidden)</source>
        <translation>  （已隐藏）</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>就绪</translation>
    </message>
    <message>
        <source>

No channel was imported.</source>
        <translation>

没有导入任何信道。</translation>
    </message>
    <message>
        <source>%1 is larger than %2 MB, far more than a channel list.</source>
        <translation>%1 大于 %2 MB，远超过一个信道列表的大小。</translation>
    </message>
    <message>
        <source>change of Optional Features</source>
        <translation>修改可选功能</translation>
    </message>
    <message>
        <source>change of Product Information</source>
        <translation>修改类型设置</translation>
    </message>
    <message>
        <source>From a &amp;File...</source>
        <translation>从文件(&amp;F)...</translation>
    </message>
    <message>
        <source>&amp;Import Channels</source>
        <translation>导入信道(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;Stock List</source>
        <translation>常用信道表(&amp;S)</translation>
    </message>
    <message>
        <source>Import channels from a file or from a stock list of service channels</source>
        <translation>从文件或常用业务信道表导入信道</translation>
    </message>
    <message>
        <source>Import a stock list: PMR446, FRS/GMRS, MURS, weather, marine or calling channels</source>
        <translation>导入常用信道表：PMR446、FRS/GMRS、MURS、气象、海事或呼叫信道</translation>
    </message>
    <message>
        <source>No stock lists installed</source>
        <translation>没有安装常用信道表</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <translation>%1 - %2</translation>
    </message>
    <message>
        <source>Frequencies from: %1</source>
        <translation>频率来源：%1</translation>
    </message>
    <message>
        <source>More toolbar buttons</source>
        <translation>更多工具栏按钮</translation>
    </message>
    <message>
        <source>More menus</source>
        <translation>更多菜单</translation>
    </message>
    <message>
        <source>The file could not be read.

%1</source>
        <translation>无法读取该文件。

%1</translation>
    </message>
    <message>
        <source>The channels could not be exported.

%1</source>
        <translation>无法导出信道。

%1</translation>
    </message>
</context>
<context>
    <name>CNavigationBar</name>
    <message>
        <source>IE Control Bar</source>
        <translation>导航栏</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Navigation panel</source>
        <translation>导航栏</translation>
    </message>
    <message>
        <source>Close the navigation panel</source>
        <translation>关闭导航栏</translation>
    </message>
    <message>
        <source>Navigation</source>
        <translation>导航</translation>
    </message>
</context>
<context>
    <name>COptionFeaturesDlg</name>
    <message>
        <source>Option Features</source>
        <translation>可选功能</translation>
    </message>
    <message>
        <source>Power-on Name</source>
        <translation>开机名称</translation>
    </message>
    <message>
        <source>Beep</source>
        <translation>提示音</translation>
    </message>
</context>
<context>
    <name>CProductInfoDlg</name>
    <message>
        <source>Product Information</source>
        <translation>类型设置</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>机型</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>频率</translation>
    </message>
</context>
<context>
    <name>CProgramApp</name>
    <message>
        <source>Radio Programmer: reads, edits and writes the memory of a 200-channel handheld radio through a serial programming cable, and keeps its images in channel files (*.dat).</source>
        <translation>对讲机编程软件：通过串口编程线读取、编辑和写入 200 信道手持对讲机的存储数据，并把数据保存在信道文件 (*.dat) 中。</translation>
    </message>
    <message>
        <source>Use the configuration file PATH instead of Program.ini.</source>
        <translation>使用配置文件 PATH 代替 Program.ini。</translation>
    </message>
    <message>
        <source>Keep the radio type, band and port choice in the file PATH.</source>
        <translation>把机型、频段和端口的选择保存在文件 PATH 中。</translation>
    </message>
    <message>
        <source>Keep the backups of radio reads in DIR (off: keep none).</source>
        <translation>把读频的备份保存在 DIR 中（off：不保存）。</translation>
    </message>
    <message>
        <source>Make the built-in virtual radio misbehave (see radioprog simulate --fault help).</source>
        <translation>让内置虚拟电台出错（见 radioprog simulate --fault help）。</translation>
    </message>
    <message>
        <source>A channel file (.dat) to open.</source>
        <translation>要打开的信道文件 (.dat)。</translation>
    </message>
    <message>
        <source>The translation of the language %1 (radio-programmer_%2.qm) is missing from the folder translations beside the program; its texts are shown in English.</source>
        <translation>程序旁的 translations 文件夹中缺少语言 %1 的翻译 (radio-programmer_%2.qm)；文字将以英文显示。</translation>
    </message>
    <message>
        <source> The program starts on its defaults.</source>
        <translation> 程序以默认设置启动。</translation>
    </message>
    <message>
        <source> The usual settings are used.</source>
        <translation> 使用通常的设置。</translation>
    </message>
    <message>
        <source>--settings names the configuration file %1; the settings (radio type, band, port) need a file of their own. The usual settings are used.</source>
        <translation>--settings 指定的是配置文件 %1；设置（机型、频段、端口）需要单独的文件。现使用通常的设置。</translation>
    </message>
    <message>
        <source>The configuration has entries the program cannot use:

%1</source>
        <translation>配置中有程序无法使用的项：

%1</translation>
    </message>
    <message>
        <source>The channel file could not be opened.

%1</source>
        <translation>无法打开信道文件。

%1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has unsaved changes; it stays open in the Window menu.</source>
        <translation>“%1”有未保存的修改；它仍在“窗口”菜单中保持打开。</translation>
    </message>
    <message>
        <source>The language choice could not be stored, so the program keeps running in the current language.

%1</source>
        <translation>无法保存语言选择，程序继续以当前语言运行。

%1</translation>
    </message>
</context>
<context>
    <name>CProgramDoc</name>
    <message>
        <source>%1 was changed by another program since it was opened or saved here.

Overwrite it with this document (the other program&apos;s change is lost), save this document under another name, or cancel?</source>
        <translation>%1 在这里打开或保存之后被其他程序修改过。

用本文档覆盖它（其他程序的修改将丢失）、以其他文件名保存本文档，还是取消？</translation>
    </message>
    <message>
        <source>

Save anyway?</source>
        <translation>

仍然保存吗？</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>保存对“%1”的修改吗？</translation>
    </message>
    <message>
        <source>%1 was deleted, moved or made unreadable by another program. This document keeps its channels; Save writes the file again.</source>
        <translation>%1 已被其他程序删除、移动或变得无法读取。本文档保留其信道；“保存”会重新写入该文件。</translation>
    </message>
    <message>
        <source>%1 was changed by another program.

Reload it? The changes made here since the last save are replaced; Edit &gt; Undo brings them back.</source>
        <translation>%1 已被其他程序修改。

重新载入吗？上次保存以来在这里所做的修改将被替换；“编辑 &gt; 撤销”可以恢复。</translation>
    </message>
    <message>
        <source>%1 was changed by another program.

Reload it?</source>
        <translation>%1 已被其他程序修改。

重新载入吗？</translation>
    </message>
    <message>
        <source>reload from disk</source>
        <translation>从磁盘重新载入</translation>
    </message>
    <message>
        <source>import of 1 channel</source>
        <translation>导入 1 个信道</translation>
    </message>
    <message>
        <source>import of %1 channels</source>
        <translation>导入 %1 个信道</translation>
    </message>
    <message>
        <source>The channel file could not be saved.

%1</source>
        <translation>无法保存信道文件。

%1</translation>
    </message>
    <message>
        <source>The channel file could not be read again; the document is as it was.

%1</source>
        <translation>无法重新读取信道文件；文档保持原样。

%1</translation>
    </message>
</context>
<context>
    <name>CProgramView</name>
    <message>
        <source>edit of %1, %2</source>
        <translation>编辑%1，%2</translation>
    </message>
    <message>
        <source>channel %1</source>
        <translation>信道 %1</translation>
    </message>
    <message>
        <source>%1.</source>
        <translation>%1。</translation>
    </message>
    <message>
        <source>Write again; if the same differences come back, the radio&apos;s memory may be failing.</source>
        <translation>请再写一次；如果还出现同样的差别，电台的存储器可能已经损坏。</translation>
    </message>
    <message>
        <source>The radio was read completely, but the backup copy of its memory could not be saved.

%1

The document holds everything that was read. BackupDir in Program.ini chooses another folder.</source>
        <translation>电台已完整读出，但无法保存其数据的备份副本。

%1

文档中保存了读出的全部内容。可用 Program.ini 中的 BackupDir 选择其他文件夹。</translation>
    </message>
    <message>
        <source>read from the radio</source>
        <translation>从电台读频</translation>
    </message>
    <message>
        <source>This document is being written to several radios.

Wait until they have finished, or press Cancel transfers in the Write to Several Radios window, then try again.</source>
        <translation>本文档正在写入多台电台。

请等它们完成，或在“写入多台电台”窗口中按“取消传输”，然后再试。</translation>
    </message>
    <message>
        <source>A transfer with the radio is under way in this window.

Wait until it has finished, or press Cancel in its progress window, then try again.</source>
        <translation>此窗口正在与电台传输数据。

请等传输完成，或在进度窗口中按“取消”，然后再试。</translation>
    </message>
    <message>
        <source>The document could not be printed. Check the printer chosen in File &gt; Print Setup.</source>
        <translation>无法打印文档。请检查“文件 &gt; 打印设置”中选择的打印机。</translation>
    </message>
    <message>
        <source>The channel file could not be opened.

%1</source>
        <translation>无法打开信道文件。

%1</translation>
    </message>
    <message>
        <source>Backups are switched off (BackupDir=off in Program.ini), so there is none to compare with.</source>
        <translation>备份已关闭（Program.ini 中 BackupDir=off），因此没有可比较的备份。</translation>
    </message>
    <message>
        <source>There is no backup of a radio of this type and band yet.

Every complete Program &gt; Read keeps one, in %1.</source>
        <translation>还没有这种机型和频段的电台备份。

每次完整的“编程 &gt; 读频”都会在 %1 中保留一份。</translation>
    </message>
    <message>
        <source>1 channel</source>
        <translation>1 个信道</translation>
    </message>
    <message>
        <source>%1 channels</source>
        <translation>%1 个信道</translation>
    </message>
    <message>
        <source>cut of %1</source>
        <translation>剪切%1</translation>
    </message>
    <message>
        <source>clear of %1</source>
        <translation>清除%1</translation>
    </message>
    <message>
        <source>The clipboard holds %1 characters, far more than the 200 channels of the grid take. Nothing was pasted.</source>
        <translation>剪贴板中有 %1 个字符，远超过表格 200 个信道所能容纳的。没有粘贴任何内容。</translation>
    </message>
    <message>
        <source>paste of %1</source>
        <translation>粘贴%1</translation>
    </message>
    <message>
        <source>fill of 1 cell</source>
        <translation>填充 1 个单元格</translation>
    </message>
    <message>
        <source>fill of %1 cells</source>
        <translation>填充 %1 个单元格</translation>
    </message>
    <message>
        <source>Channel 199 holds a channel that the insert pushes off the end of the list.

Insert anyway? (Edit &gt; Undo brings them back.)</source>
        <translation>信道 199 中有一个信道，插入会把它挤出列表末尾。

仍然插入吗？（“编辑 &gt; 撤销”可以恢复。）</translation>
    </message>
    <message>
        <source>The last %1 rows hold %2 channels that the insert pushes off the end of the list.

Insert anyway? (Edit &gt; Undo brings them back.)</source>
        <translation>最后 %1 行中有 %2 个信道，插入会把它们挤出列表末尾。

仍然插入吗？（“编辑 &gt; 撤销”可以恢复。）</translation>
    </message>
    <message>
        <source>insert at %1</source>
        <translation>在%1插入</translation>
    </message>
    <message>
        <source>insert of %1 rows at %2</source>
        <translation>在%2插入 %1 行</translation>
    </message>
    <message>
        <source>delete of %1</source>
        <translation>删除%1</translation>
    </message>
    <message>
        <source>delete of %1 rows at %2</source>
        <translation>在%2删除 %1 行</translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation>%1 行</translation>
    </message>
    <message>
        <source>move of %1 up</source>
        <translation>上移%1</translation>
    </message>
    <message>
        <source>move of %1 down</source>
        <translation>下移%1</translation>
    </message>
    <message>
        <source>fill down of %1</source>
        <translation>向下填充%1</translation>
    </message>
    <message>
        <source>sort of %1</source>
        <translation>排序%1</translation>
    </message>
    <message>
        <source>Read complete: 1 channel</source>
        <translation>读频完成：1 个信道</translation>
    </message>
    <message>
        <source>Read complete: %1 channels</source>
        <translation>读频完成：%1 个信道</translation>
    </message>
    <message>
        <source>Write complete</source>
        <translation>写频完成</translation>
    </message>
    <message>
        <source>Write verified</source>
        <translation>写频已校验</translation>
    </message>
    <message>
        <source>Write complete, but the read-back differs</source>
        <translation>写频完成，但读回的数据不一致</translation>
    </message>
    <message>
        <source>Write cancelled</source>
        <translation>写频已取消</translation>
    </message>
    <message>
        <source>Read cancelled</source>
        <translation>读频已取消</translation>
    </message>
    <message>
        <source>Write failed</source>
        <translation>写频失败</translation>
    </message>
    <message>
        <source>Read failed</source>
        <translation>读频失败</translation>
    </message>
</context>
<context>
    <name>CProgressDlg</name>
    <message>
        <source>Process</source>
        <translation>进度</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Writing block %1 of %2</source>
        <translation>正在写第 %1 块，共 %2 块</translation>
    </message>
    <message>
        <source>Verifying block %1 of %2</source>
        <translation>正在校验第 %1 块，共 %2 块</translation>
    </message>
    <message>
        <source>Reading block %1 of %2</source>
        <translation>正在读第 %1 块，共 %2 块</translation>
    </message>
    <message>
        <source>Press OK to start</source>
        <translation>按“确定”开始</translation>
    </message>
    <message>
        <source>Connecting to the radio...</source>
        <translation>正在连接电台...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Writing</source>
        <translation>正在写入</translation>
    </message>
    <message>
        <source>Verifying</source>
        <translation>正在校验</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>正在读取</translation>
    </message>
</context>
<context>
    <name>CWriteCheckDlg</name>
    <message>
        <source>Check Before Writing</source>
        <translation>写频前检查</translation>
    </message>
    <message>
        <source>Severity</source>
        <translation>级别</translation>
    </message>
    <message>
        <source>Finding</source>
        <translation>检查结果</translation>
    </message>
    <message>
        <source>&amp;Write anyway</source>
        <translation>仍然写频(&amp;W)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>&amp;Product Information...</source>
        <translation>类型设置(&amp;P)...</translation>
    </message>
    <message>
        <source>1 error</source>
        <translation>1 个错误</translation>
    </message>
    <message>
        <source>%1 errors</source>
        <translation>%1 个错误</translation>
    </message>
    <message>
        <source>1 warning</source>
        <translation>1 个警告</translation>
    </message>
    <message>
        <source>%1 warnings</source>
        <translation>%1 个警告</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1和%2</translation>
    </message>
    <message>
        <source>no findings</source>
        <translation>没有问题</translation>
    </message>
    <message>
        <source>The image about to be written has %1. Errors are values the radio cannot use or this program cannot show correctly: correct them in the grid before writing, unless you are sure.</source>
        <translation>将要写入的数据有%1。错误是电台无法使用或本程序无法正确显示的值：除非您确定，请在写频前在表格中改正。</translation>
    </message>
    <message>
        <source>The image about to be written has %1. Warnings are probably mistakes, though the radio can take them.</source>
        <translation>将要写入的数据有%1。警告多半是输入有误，但电台可以接受。</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Findings</source>
        <translation>检查结果</translation>
    </message>
</context>
<context>
    <name>CWriteManyDlg</name>
    <message>
        <source>&amp;Port:</source>
        <translation>端口(&amp;P)：</translation>
    </message>
    <message>
        <source>Port to add</source>
        <translation>要添加的端口</translation>
    </message>
    <message>
        <source>A port found on this computer, the built-in virtual radio, or the name of a port typed in (such as /dev/pts/3)</source>
        <translation>本机找到的端口、内置虚拟电台，或手动输入的端口名（例如 /dev/pts/3）</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>添加(&amp;A)</translation>
    </message>
    <message>
        <source>Add port</source>
        <translation>添加端口</translation>
    </message>
    <message>
        <source>Re&amp;move</source>
        <translation>移除(&amp;M)</translation>
    </message>
    <message>
        <source>Remove port</source>
        <translation>移除端口</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Radios</source>
        <translation>电台</translation>
    </message>
    <message>
        <source>&amp;Verify (read each radio back and compare)</source>
        <translation>校验(&amp;V)（读回每台电台并比较）</translation>
    </message>
    <message>
        <source>&amp;Back up first (keep each radio&apos;s image before writing)</source>
        <translation>先备份(&amp;B)（写入前保留每台电台的数据）</translation>
    </message>
    <message>
        <source>&amp;Log file:</source>
        <translation>日志文件(&amp;L)：</translation>
    </message>
    <message>
        <source>Log file</source>
        <translation>日志文件</translation>
    </message>
    <message>
        <source>none: Save log... keeps the rows afterwards</source>
        <translation>无：之后可用“保存日志...”保存各行</translation>
    </message>
    <message>
        <source>C&amp;hoose...</source>
        <translation>选择(&amp;H)...</translation>
    </message>
    <message>
        <source>Choose log file</source>
        <translation>选择日志文件</translation>
    </message>
    <message>
        <source>Add the ports of the radios, then press Start.</source>
        <translation>添加各电台的端口，然后按“开始”。</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>开始(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Next round</source>
        <translation>下一轮(&amp;N)</translation>
    </message>
    <message>
        <source>Cancel &amp;transfers</source>
        <translation>取消传输(&amp;T)</translation>
    </message>
    <message>
        <source>Save l&amp;og...</source>
        <translation>保存日志(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>关闭(&amp;C)</translation>
    </message>
    <message>
        <source>Write to Several Radios</source>
        <translation>写入多台电台</translation>
    </message>
    <message>
        <source>Write to Several Radios - %1</source>
        <translation>写入多台电台 - %1</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <translation>%1 - %2</translation>
    </message>
    <message>
        <source>Virtual radio (built-in)</source>
        <translation>虚拟电台（内置）</translation>
    </message>
    <message>
        <source>Virtual radio %1 (built-in)</source>
        <translation>虚拟电台 %1（内置）</translation>
    </message>
    <message>
        <source>Progress of %1</source>
        <translation>%1 的进度</translation>
    </message>
    <message>
        <source>Not started</source>
        <translation>未开始</translation>
    </message>
    <message>
        <source>%1 is in the list already.</source>
        <translation>%1 已在列表中。</translation>
    </message>
    <message>
        <source>Back up first keeps each radio&apos;s image in the backup folder, but backups are switched off (BackupDir=off in Program.ini).

Choose a folder there, or clear Back up first.</source>
        <translation>“先备份”会把每台电台的数据保存在备份文件夹中，但备份已关闭（Program.ini 中 BackupDir=off）。

请在那里选择一个文件夹，或取消勾选“先备份”。</translation>
    </message>
    <message>
        <source>The log file cannot be written, so no radio was.

%1</source>
        <translation>无法写入日志文件，因此没有写入任何电台。

%1</translation>
    </message>
    <message>
        <source>In progress</source>
        <translation>进行中</translation>
    </message>
    <message>
        <source>Round %1: writing to 1 radio...</source>
        <translation>第 %1 轮：正在写入 1 台电台...</translation>
    </message>
    <message>
        <source>Round %1: writing to %2 radios...</source>
        <translation>第 %1 轮：正在写入 %2 台电台...</translation>
    </message>
    <message>
        <source>Backing up %p%</source>
        <translation>正在备份 %p%</translation>
    </message>
    <message>
        <source>Writing %p%</source>
        <translation>正在写入 %p%</translation>
    </message>
    <message>
        <source>Verifying %p%</source>
        <translation>正在校验 %p%</translation>
    </message>
    <message>
        <source>Verified (%1 s)</source>
        <translation>已校验（%1 秒）</translation>
    </message>
    <message>
        <source>Written, not verified (%1 s)</source>
        <translation>已写入，未校验（%1 秒）</translation>
    </message>
    <message>
        <source>Write failed: %1</source>
        <translation>写入失败：%1</translation>
    </message>
    <message>
        <source>Verify failed: %1</source>
        <translation>校验失败：%1</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>已取消</translation>
    </message>
    <message>
        <source>Backup: %1</source>
        <translation>备份：%1</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>Round %1: %2 of 1 radio verified.</source>
        <translation>第 %1 轮：1 台电台中有 %2 台已校验。</translation>
    </message>
    <message>
        <source>Round %1: %2 of 1 radio written.</source>
        <translation>第 %1 轮：1 台电台中有 %2 台已写入。</translation>
    </message>
    <message>
        <source>Round %1: %2 of %3 radios verified.</source>
        <translation>第 %1 轮：%3 台电台中有 %2 台已校验。</translation>
    </message>
    <message>
        <source>Round %1: %2 of %3 radios written.</source>
        <translation>第 %1 轮：%3 台电台中有 %2 台已写入。</translation>
    </message>
    <message>
        <source>The results say what went wrong.</source>
        <translation>结果一栏说明了出错的原因。</translation>
    </message>
    <message>
        <source>Some results could not be added to the log file %1.

Save log... keeps every row of this window in another file.</source>
        <translation>有些结果无法添加到日志文件 %1 中。

“保存日志...”可把此窗口的每一行保存到另一个文件。</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV 文件 (*.csv);;所有文件 (*)</translation>
    </message>
    <message>
        <source>The log could not be saved.

%1</source>
        <translation>无法保存日志。

%1</translation>
    </message>
    <message>
        <source>Radios are being written. Closing this window cancels every transfer, and a radio cancelled during its write may hold a partly written image.

Cancel the transfers and close?</source>
        <translation>正在写入电台。关闭此窗口会取消所有传输，写入中途被取消的电台可能只写入了部分数据。

取消传输并关闭吗？</translation>
    </message>
    <message>
        <source>The results of these rounds are in no log file yet. Save the log?</source>
        <translation>这几轮的结果还没有保存到任何日志文件。保存日志吗？</translation>
    </message>
    <message>
        <source>The log could not be written: %1</source>
        <translation>无法写入日志：%1</translation>
    </message>
</context>
<context>
    <name>CellReport</name>
    <message>
        <source>channel %1</source>
        <translation>信道 %1</translation>
    </message>
    <message>
        <source>... and %1 more.</source>
        <translation>……另有 %1 项。</translation>
    </message>
    <message>
        <source>%1, %2, &quot;%3&quot;: %4</source>
        <translation>%1，%2，“%3”：%4</translation>
    </message>
    <message>
        <source>1 pasted cell was not stored:</source>
        <translation>有 1 个粘贴的单元格没有保存：</translation>
    </message>
    <message>
        <source>%1 pasted cells were not stored:</source>
        <translation>有 %1 个粘贴的单元格没有保存：</translation>
    </message>
    <message>
        <source>1 filled cell was not stored:</source>
        <translation>有 1 个填充的单元格没有保存：</translation>
    </message>
    <message>
        <source>%1 filled cells were not stored:</source>
        <translation>有 %1 个填充的单元格没有保存：</translation>
    </message>
    <message>
        <source>%1: %2 cut to %3</source>
        <translation>%1：%2 被截短为 %3</translation>
    </message>
    <message>
        <source>1 name was longer than the %1 characters the radio shows, and was cut:</source>
        <translation>有 1 个名字超过电台可显示的 %1 个字符，已被截短：</translation>
    </message>
    <message>
        <source>%1 names were longer than the %2 characters the radio shows, and were cut:</source>
        <translation>有 %1 个名字超过电台可显示的 %2 个字符，已被截短：</translation>
    </message>
    <message>
        <source>1 row past channel 199</source>
        <translation>信道 199 之后的 1 行</translation>
    </message>
    <message>
        <source>%1 rows past channel 199</source>
        <translation>信道 199 之后的 %1 行</translation>
    </message>
    <message>
        <source>1 column past %1</source>
        <translation>%1之后的 1 列</translation>
    </message>
    <message>
        <source>%1 columns past %2</source>
        <translation>%2之后的 %1 列</translation>
    </message>
    <message>
        <source>The text reached %1: the grid ends there, and that part was left out.</source>
        <translation>文字超出到了%1：表格到此为止，这部分被舍去。</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1和%2</translation>
    </message>
    <message>
        <source>1 cell of an empty channel skipped: a channel without an Rx Frequency takes no settings.</source>
        <translation>跳过了空信道的 1 个单元格：没有接收频率的信道不接受设置。</translation>
    </message>
    <message>
        <source>%1 cells of empty channels skipped: a channel without an Rx Frequency takes no settings.</source>
        <translation>跳过了空信道的 %1 个单元格：没有接收频率的信道不接受设置。</translation>
    </message>
</context>
<context>
    <name>ImportLanding</name>
    <message>
        <source>Imported no channel</source>
        <translation>没有导入信道</translation>
    </message>
    <message>
        <source>Imported 1 channel into %1</source>
        <translation>已导入 1 个信道到 %1</translation>
    </message>
    <message>
        <source>Imported %1 channels into %2</source>
        <translation>已导入 %1 个信道到 %2</translation>
    </message>
    <message>
        <source>; 1 other channel emptied</source>
        <translation>；另有 1 个信道被清空</translation>
    </message>
    <message>
        <source>; %1 other channels emptied</source>
        <translation>；另有 %1 个信道被清空</translation>
    </message>
</context>
<context>
    <name>MessageBoxService</name>
    <message>
        <source>&amp;Overwrite</source>
        <translation>覆盖(&amp;O)</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>重新载入(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Keep Mine</source>
        <translation>保留我的(&amp;K)</translation>
    </message>
</context>
<context>
    <name>QtFileDialogService</name>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
</context>
<context>
    <name>radio</name>
    <message>
        <source>CH</source>
        <translation>信道</translation>
    </message>
    <message>
        <source>Rx Frequency</source>
        <translation>接收频率</translation>
    </message>
    <message>
        <source>Tx Frequency</source>
        <translation>发射频率</translation>
    </message>
    <message>
        <source>Rx Tone</source>
        <translation>接收信令</translation>
    </message>
    <message>
        <source>Tx Tone</source>
        <translation>发射信令</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>功率</translation>
    </message>
    <message>
        <source>Cha Lock</source>
        <translation>信道锁定</translation>
    </message>
    <message>
        <source>Scan Add</source>
        <translation>扫描添加</translation>
    </message>
    <message>
        <source>Bandwidth</source>
        <translation>带宽</translation>
    </message>
    <message>
        <source>Cha Name</source>
        <translation>信道名字</translation>
    </message>
    <message>
        <source>out of range (136-175 and 400-520 MHz); the row stays empty</source>
        <translation>超出范围（136-175 和 400-520 MHz）；该行保持为空</translation>
    </message>
    <message>
        <source>out of range (136-175 and 400-520 MHz); the cell keeps its value</source>
        <translation>超出范围（136-175 和 400-520 MHz）；单元格保持原值</translation>
    </message>
    <message>
        <source>not on a 2.5 or 6.25 kHz step; the row stays empty</source>
        <translation>不是 2.5 或 6.25 kHz 步长的整数倍；该行保持为空</translation>
    </message>
    <message>
        <source>not on a 2.5 or 6.25 kHz step; the cell keeps its value</source>
        <translation>不是 2.5 或 6.25 kHz 步长的整数倍；单元格保持原值</translation>
    </message>
    <message>
        <source>not an entry of the list; the cell keeps its value</source>
        <translation>不是列表中的项；单元格保持原值</translation>
    </message>
    <message>
        <source>not a radio name (0-9, A-Z, - and _); the cell keeps its value</source>
        <translation>不是电台可用的名字（0-9、A-Z、- 和 _）；单元格保持原值</translation>
    </message>
    <message>
        <source>the channel has no Rx Frequency, so it takes no settings</source>
        <translation>该信道没有接收频率，因此不接受设置</translation>
    </message>
    <message>
        <source>Out of range,please input again.</source>
        <translation>超出范围，请重新输入。</translation>
    </message>
    <message>
        <source>Communication Error,Please check all the connections and the radio power</source>
        <translation>通信错误，请检查所有连接和电台电源</translation>
    </message>
    <message>
        <source>All data will be Cleared!</source>
        <translation>所有数据将被清除！</translation>
    </message>
    <message>
        <source>Could not Open the Port,Please check whether the Port are occupied or the device are ok</source>
        <translation>无法打开端口，请检查端口是否被占用或设备是否正常</translation>
    </message>
    <message>
        <source>Program Interrupt, Please reset the radio and try again</source>
        <translation>编程中断，请重启电台后再试</translation>
    </message>
    <message>
        <source>Error data Value, please input according the step value(6.25K/5k).</source>
        <translation>数据错误，请按步长（6.25K/5K）输入。</translation>
    </message>
    <message>
        <source>Caution</source>
        <translation>注意</translation>
    </message>
    <message>
        <source>Not an entry of the list, please choose one of the list.</source>
        <translation>不是列表中的项，请从列表中选择。</translation>
    </message>
    <message>
        <source>Invalid name, please use only 0-9, A-Z, - and _.</source>
        <translation>名字无效，请只用 0-9、A-Z、- 和 _。</translation>
    </message>
    <message>
        <source>band-limit bytes (0x1FF0) hold %1 (%2), but the image&apos;s radio type %3 and band %4 are %5 (%6); choose the band again (Product Information, or radioprog band)</source>
        <translation>频率范围字节 (0x1FF0) 为 %1 (%2)，但数据的机型 %3 和频段 %4 对应 %5 (%6)；请重新选择频段（类型设置，或 radioprog band）</translation>
    </message>
    <message>
        <source>band-limit bytes (0x1FF0) hold %1, but the image&apos;s radio type %2 and band %3 are %4 (%5); choose the band again (Product Information, or radioprog band)</source>
        <translation>频率范围字节 (0x1FF0) 为 %1，但数据的机型 %2 和频段 %3 对应 %4 (%5)；请重新选择频段（类型设置，或 radioprog band）</translation>
    </message>
    <message>
        <source>%1 holds %2 (%3)</source>
        <translation>%1 的值为 %2 (%3)</translation>
    </message>
    <message>
        <source>bits %1-%2 of %3 hold %4</source>
        <translation>%3 的第 %1-%2 位为 %4</translation>
    </message>
    <message>
        <source>Option Features and the printed option sheet show %1</source>
        <translation>可选功能和打印的选项表都显示 %1</translation>
    </message>
    <message>
        <source>Option Features shows %1, the printed option sheet %2</source>
        <translation>可选功能显示 %1，打印的选项表显示 %2</translation>
    </message>
    <message>
        <source>Option Features shows %1 but the printed option sheet %2: the two read the byte differently</source>
        <translation>可选功能显示 %1，而打印的选项表显示 %2：两者对该字节的解读不同</translation>
    </message>
    <message>
        <source>option %1: %2, a value the radio&apos;s list (%3) does not hold; %4</source>
        <translation>选项 %1：%2，该值不在电台的列表（%3）中；%4</translation>
    </message>
    <message>
        <source>the image holds no channels: writing it leaves the radio with none</source>
        <translation>数据中没有信道：写入后电台将没有任何信道</translation>
    </message>
    <message>
        <source>channel %1, %2%3</source>
        <translation>信道 %1，%2%3</translation>
    </message>
    <message>
        <source>channel %1%2</source>
        <translation>信道 %1%2</translation>
    </message>
    <message>
        <source>: the power bits hold no power level the grid can show</source>
        <translation>：功率位中不是表格可显示的功率档</translation>
    </message>
    <message>
        <source>: the bytes %1 are not a frequency the grid can show</source>
        <translation>：字节 %1 不是表格可显示的频率</translation>
    </message>
    <message>
        <source> %1: outside both bands of the radio (136-175 and 400-520 MHz)</source>
        <translation> %1：不在电台的两个频段内（136-175 和 400-520 MHz）</translation>
    </message>
    <message>
        <source> %1: not on a 2.5 kHz or 6.25 kHz step</source>
        <translation> %1：不是 2.5 kHz 或 6.25 kHz 步长的整数倍</translation>
    </message>
    <message>
        <source> %1: transmits outside the radio&apos;s band %2-%3 MHz (Product Information)</source>
        <translation> %1：发射超出电台的频段 %2-%3 MHz（类型设置）</translation>
    </message>
    <message>
        <source> %1: outside the radio&apos;s band %2-%3 MHz (Product Information)</source>
        <translation> %1：超出电台的频段 %2-%3 MHz（类型设置）</translation>
    </message>
    <message>
        <source>: the bytes %1 are not a tone the grid can show</source>
        <translation>：字节 %1 不是表格可显示的信令</translation>
    </message>
    <message>
        <source> %1: not in the tone list</source>
        <translation> %1：不在信令列表中</translation>
    </message>
    <message>
        <source>: the bytes %1 hold codes outside the radio&apos;s name characters (it shows &quot;%2&quot;)</source>
        <translation>：字节 %1 中有电台名字字符以外的编码（电台显示为“%2”）</translation>
    </message>
    <message>
        <source> %1: also the name of channel %2</source>
        <translation> %1：与信道 %2 的名字相同</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>（空）</translation>
    </message>
    <message>
        <source>option %1</source>
        <translation>选项 %1</translation>
    </message>
    <message>
        <source>channel %1, %2</source>
        <translation>信道 %1，%2</translation>
    </message>
    <message>
        <source>%1: wrote %2, the radio holds %3</source>
        <translation>%1：写入 %2，电台中为 %3</translation>
    </message>
    <message>
        <source>Verified: the radio holds what was written</source>
        <translation>校验通过：电台中的数据与写入的一致</translation>
    </message>
    <message>
        <source>Verify failed: the radio does not hold what was written (1 difference)</source>
        <translation>校验失败：电台中的数据与写入的不一致（1 处差别）</translation>
    </message>
    <message>
        <source>Verify failed: the radio does not hold what was written (%1 differences)</source>
        <translation>校验失败：电台中的数据与写入的不一致（%1 处差别）</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>……另有 %1 处</translation>
    </message>
    <message>
        <source>LED</source>
        <translation>LED</translation>
    </message>
    <message>
        <source>Battery Saver</source>
        <translation>电池省电</translation>
    </message>
    <message>
        <source>Keypad Lock</source>
        <translation>键盘锁定</translation>
    </message>
    <message>
        <source>Time-Out Timer</source>
        <translation>超时定时器</translation>
    </message>
    <message>
        <source>Voice Sensitivity</source>
        <translation>声控灵敏度</translation>
    </message>
    <message>
        <source>Priority Scan</source>
        <translation>优先扫描</translation>
    </message>
    <message>
        <source>Channel Display</source>
        <translation>信道显示</translation>
    </message>
    <message>
        <source>Pri-Scanning Time</source>
        <translation>预扫描时间</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>步长</translation>
    </message>
    <message>
        <source>Call Tone</source>
        <translation>呼叫铃音</translation>
    </message>
    <message>
        <source>Squelch Level</source>
        <translation>静噪电平</translation>
    </message>
    <message>
        <source>Encoder</source>
        <translation>编码器</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>Busy</source>
        <translation>繁忙</translation>
    </message>
    <message>
        <source>Scan Mode</source>
        <translation>扫描模式</translation>
    </message>
    <message>
        <source>High</source>
        <translation>高</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>中</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>低</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>锁定</translation>
    </message>
    <message>
        <source>Unlock</source>
        <translation>未锁定</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>有</translation>
    </message>
    <message>
        <source>No</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Wide</source>
        <translation>宽</translation>
    </message>
    <message>
        <source>Narrow</source>
        <translation>窄</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>tone %1 is not a CTCSS tone of the radio: stored None</source>
        <translation>信令 %1 不是电台的 CTCSS 信令：保存为 无</translation>
    </message>
    <message>
        <source>DCS code %1 is not a DCS code of the radio: stored None</source>
        <translation>DCS 码 %1 不是电台的 DCS 码：保存为 无</translation>
    </message>
    <message>
        <source>DCS polarity %1 is not two letters N or R: stored %2</source>
        <translation>DCS 极性 %1 不是两个字母 N 或 R：保存为 %2</translation>
    </message>
    <message>
        <source>cross mode %1 not supported: stored None</source>
        <translation>不支持交叉模式 %1：保存为 无</translation>
    </message>
    <message>
        <source>tone mode %1 not supported: stored None</source>
        <translation>不支持信令模式 %1：保存为 无</translation>
    </message>
    <message>
        <source>duplex %1 not supported: stored no transmit frequency</source>
        <translation>不支持双工方式 %1：不保存发射频率</translation>
    </message>
    <message>
        <source>offset %1 is not a frequency in MHz: kept the stored Tx Frequency (none on a new channel)</source>
        <translation>频差 %1 不是以 MHz 为单位的频率：保留原有的发射频率（新信道则没有）</translation>
    </message>
    <message>
        <source>transmit frequency %1 %2: kept the stored Tx Frequency (none on a new channel)</source>
        <translation>发射频率 %1 %2：保留原有的发射频率（新信道则没有）</translation>
    </message>
    <message>
        <source>power %1 read as %2 (so is every %1 of the file)</source>
        <translation>功率 %1 读作 %2（文件中所有的 %1 都如此）</translation>
    </message>
    <message>
        <source>power %1 not supported: stored %2</source>
        <translation>不支持功率 %1：保存为 %2</translation>
    </message>
    <message>
        <source>skip %1 not supported: stored Scan Add %2</source>
        <translation>不支持 skip 值 %1：扫描添加保存为 %2</translation>
    </message>
    <message>
        <source>mode %1 not supported: stored %2</source>
        <translation>不支持模式 %1：保存为 %2</translation>
    </message>
    <message>
        <source>listed again (first on line %1): skipped</source>
        <translation>重复列出（首次在第 %1 行）：已跳过</translation>
    </message>
    <message>
        <source>no frequency: stored an empty channel</source>
        <translation>没有频率：保存为空信道</translation>
    </message>
    <message>
        <source>Rx and Tx Frequencies</source>
        <translation>接收和发射频率</translation>
    </message>
    <message>
        <source>location %1: %2</source>
        <translation>位置 %1：%2</translation>
    </message>
    <message>
        <source>frequency %1 %2%3: kept the stored %4 (an empty row stays empty)</source>
        <translation>频率 %1 %2%3：保留原有的%4（空行仍为空）</translation>
    </message>
    <message>
        <source>is not a frequency in MHz</source>
        <translation>不是以 MHz 为单位的频率</translation>
    </message>
    <message>
        <source>name &apos;%1&apos; has characters the radio cannot show and is cut to %2 characters: stored &apos;%3&apos;</source>
        <translation>名字“%1”含有电台无法显示的字符，并被截短为 %2 个字符：保存为“%3”</translation>
    </message>
    <message>
        <source>name &apos;%1&apos; has characters the radio cannot show: stored &apos;%2&apos;</source>
        <translation>名字“%1”含有电台无法显示的字符：保存为“%2”</translation>
    </message>
    <message>
        <source>name &apos;%1&apos; cut to &apos;%2&apos;</source>
        <translation>名字“%1”被截短为“%2”</translation>
    </message>
    <message>
        <source>; it looks like %1 (%2 MHz), but the file must give MHz</source>
        <translation>；看起来是以 %1 为单位（%2 MHz），但文件必须使用 MHz</translation>
    </message>
    <message>
        <source>is out of range (%1 and %2 MHz)</source>
        <translation>超出范围（%1 和 %2 MHz）</translation>
    </message>
    <message>
        <source>is not on a 2.5 or 6.25 kHz step</source>
        <translation>不是 2.5 或 6.25 kHz 步长的整数倍</translation>
    </message>
    <message>
        <source>location %1: moved to channel %2, beyond channel %3: skipped</source>
        <translation>位置 %1：移到信道 %2，超出信道 %3：已跳过</translation>
    </message>
    <message>
        <source>location %1: beyond channel %2: skipped</source>
        <translation>位置 %1：超出信道 %2：已跳过</translation>
    </message>
    <message>
        <source>channel %1 (file location %2): %3</source>
        <translation>信道 %1（文件位置 %2）：%3</translation>
    </message>
    <message>
        <source>%1 %2 is not an entry of its list: stored %3</source>
        <translation>%1 %2 不是其列表中的项：保存为 %3</translation>
    </message>
    <message>
        <source>Tx frequency %1 is not a frequency in MHz: kept the stored Tx Frequency (none on a new channel)</source>
        <translation>发射频率 %1 不是以 MHz 为单位的频率：保留原有的发射频率（新信道则没有）</translation>
    </message>
    <message>
        <source>offset %1 is not an offset in MHz: kept the stored Tx Frequency (none on a new channel)</source>
        <translation>频差 %1 不是以 MHz 为单位的频差：保留原有的发射频率（新信道则没有）</translation>
    </message>
    <message>
        <source>tone %1 is not a tone of the radio: stored None</source>
        <translation>信令 %1 不是电台的信令：保存为 无</translation>
    </message>
    <message>
        <source>bandwidth %1 not supported: stored %2</source>
        <translation>不支持带宽 %1：保存为 %2</translation>
    </message>
    <message>
        <source>scan %1 not supported: stored Scan Add %2</source>
        <translation>不支持扫描值 %1：扫描添加保存为 %2</translation>
    </message>
    <message>
        <source>a quote opened here is never closed: the rest of the file is read as one field</source>
        <translation>此处的引号没有闭合：文件的其余部分被读作一个字段</translation>
    </message>
    <message>
        <source>location %1 is not a channel number: skipped</source>
        <translation>位置 %1 不是信道号：已跳过</translation>
    </message>
    <message>
        <source>%1: skipped</source>
        <translation>%1：已跳过</translation>
    </message>
    <message>
        <source>mode %1 is digital only</source>
        <translation>模式 %1 仅用于数字制式</translation>
    </message>
    <message>
        <source>no Rx frequency</source>
        <translation>没有接收频率</translation>
    </message>
    <message>
        <source>frequency %1 is not a frequency in MHz</source>
        <translation>频率 %1 不是以 MHz 为单位的频率</translation>
    </message>
    <message>
        <source>frequency %1 %2%3</source>
        <translation>频率 %1 %2%3</translation>
    </message>
    <message>
        <source>channel number %1 is not a number</source>
        <translation>信道号 %1 不是数字</translation>
    </message>
    <message>
        <source>channel %1 listed again (first on line %2)</source>
        <translation>信道 %1 重复列出（首次在第 %2 行）</translation>
    </message>
    <message>
        <source>frequencies look like %1: %2 (the file must give MHz)</source>
        <translation>频率看起来是以 %1 为单位：%2（文件中的频率必须以 MHz 为单位）</translation>
    </message>
    <message>
        <source>the file lists no channels</source>
        <translation>文件中没有列出任何信道</translation>
    </message>
    <message>
        <source>none of its %1 channel could be taken (see the findings)</source>
        <translation>文件中的 %1 个信道都无法导入（见提示）</translation>
    </message>
    <message>
        <source>none of its %1 channels could be taken (see the findings)</source>
        <translation>文件中的 %1 个信道都无法导入（见提示）</translation>
    </message>
    <message>
        <source>&quot;%1&quot;</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关</translation>
    </message>
    <message>
        <source>On</source>
        <translation>开</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>手动</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>信道</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>频率</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>存储</translation>
    </message>
    <message>
        <source>%1 (not in the list)</source>
        <translation>%1（不在列表中）</translation>
    </message>
</context>
</TS>
