// The file transfer: the byte-order-mark rule, the pieces, the link's time-outs and hold.
#include "TransferFixture.h"

#include "maintenance/CFileTransferDlg.h"
#include "maintenance/LinkTransfer.h"
#include "maintenance/TransferIds.h"

#include <QProgressBar>
#include <QRegularExpression>

namespace {


const QString kFilter = "All files(*.*)|*.*|Text files(*.txt)|*.txt|Binary files(*.bin)|*.bin||";

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

bool sameTimeouts(const platform::SerialTimeouts& a, const platform::SerialTimeouts& b)
{
    return a.readInterval == b.readInterval && a.readTotalMultiplier == b.readTotalMultiplier &&
           a.readTotalConstant == b.readTotalConstant && a.writeTotalMultiplier == b.writeTotalMultiplier &&
           a.writeTotalConstant == b.writeTotalConstant;
}

class FileTransferTest : public TransferTest {
protected:
    void SetUp() override
    {
        TransferTest::SetUp();
        dlg.OnInitDialog();
    }

    // Chooses the file through the file dialog.
    void select(const QString& path)
    {
        hooks.answerFileDialog(path);
        click(dlg, IDC_SELECT_FILE);
    }

    // Sends a file with these bytes and returns what the printer received.
    QByteArray send(const QByteArray& content)
    {
        printer->written.clear();
        select(writeFile(QStringLiteral("file.bin"), content));
        click(dlg, IDC_DOWNLOAD);
        return printer->written;
    }

    CFileTransferDlg dlg;
};

TEST_F(FileTransferTest, OpensWithNoFileAndCloseEndsWithOk)
{
    hooks.scriptDialog<CFileTransferDlg>([](CFileTransferDlg& d) {
        EXPECT_EQ(d.windowTitle(), "File Transfer");
        EXPECT_EQ(text(d, IDC_FILE_NAME), "None");
        EXPECT_EQ(text(d, IDC_FILE_SIZE), "0 Byte");
        EXPECT_EQ(d.m_bFileSelected, 0);
        click(d, IDC_CLOSE);
    });
    CFileTransferDlg window;
    EXPECT_EQ(window.DoModal(), ui::IDOK);
}

TEST_F(FileTransferTest, ByteOrderMarkDecidesWhatIsSent)
{
    struct Case {
        const char* name;
        QByteArray file;
        QByteArray sent;
    };
    const Case cases[] = {
        {"utf-8 mark skipped", hex("efbbbf414243"), "ABC"},
        {"utf-16le", hex("fffe41004200"), "AB"},
        {"utf-16be", hex("feff00410042"), "AB"},
        {"ef loses three bytes whatever they are", hex("ef0102034445"), hex("034445")},
        {"ef alone", hex("ef"), ""},
        {"utf-16 ends at the first zero unit", hex("fffe410000004200"), "A"},
        {"binary starting with ff is read as utf-16", hex("ff00410000004200"), "A"},
        {"odd last byte of utf-16 dropped", hex("fffe410042"), "A"},
        {"utf-16 beyond the code page", hex("fffe2d4e4100"), QByteArray("\x81\x2d" "A", 3)},
        {"mark only", hex("fffe"), ""},
        {"plain text as stored", "SS3\r\nP1\r\n", "SS3\r\nP1\r\n"},
        {"binary as stored", hex("00ffef10"), hex("00ffef10")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(send(c.file).toHex(), c.sent.toHex()) << c.name;
}

TEST_F(FileTransferTest, SerialTransferGoesInPiecesUnderTransferTimeoutsThenReopensThePort)
{
    QByteArray content(8192 + 100, 'x');
    content[0] = 'a';
    select(writeFile("big.prn", content));
    EXPECT_EQ(text(dlg, IDC_FILE_NAME), "big.prn");
    EXPECT_EQ(text(dlg, IDC_FILE_SIZE), "8292 Bytes");
    printer->calls.clear();
    io.timeouts.clear();
    click(dlg, IDC_DOWNLOAD);

    EXPECT_EQ(printer->written, content);
    ASSERT_EQ(printer->writes.size(), 3u);
    EXPECT_EQ(printer->writes[0].size(), 4096);
    EXPECT_EQ(printer->writes[1].size(), 4096);
    EXPECT_EQ(printer->writes[2].size(), 100);
    EXPECT_EQ(dlg.m_progress->maximum(), 2);
    EXPECT_EQ(dlg.m_progress->value(), 0);
    ASSERT_GE(io.timeouts.size(), 3u);
    EXPECT_TRUE(sameTimeouts(io.timeouts[0], {0, 1, 20000, 1, 20000}));
    EXPECT_TRUE(sameTimeouts(io.timeouts[1], {0, 1, 3000, 1, 3000}));
    // The port is closed and opened again with the link's own settings.
    const qsizetype lastWrite = printer->calls.lastIndexOf(QRegularExpression("^write"));
    const QStringList after = printer->calls.mid(lastWrite + 1);
    EXPECT_TRUE(after.contains("close()"));
    EXPECT_TRUE(after.contains("open(Exclusive)"));
    EXPECT_EQ(io.timeouts.size(), 3u);
    ASSERT_EQ(hooks.messages().size(), 1u);
    EXPECT_EQ(hooks.messages()[0].text, "File download is completed.");
    EXPECT_EQ(hooks.messages()[0].icon, platform::AlertIcon::Information);
    EXPECT_EQ(dlg.m_bFileSelected, 1);  // the same file can be sent again
}

TEST_F(FileTransferTest, EmptyFileIsOneWriteOfNothingAndCompletes)
{
    EXPECT_EQ(send(QByteArray()), QByteArray());
    EXPECT_EQ(text(dlg, IDC_FILE_SIZE), "0 Bytes");
    EXPECT_EQ(messageTexts(), QStringList{"File download is completed."});
}

TEST_F(FileTransferTest, TcpTakesTheWholeFileInOneSend)
{
    useTcp();
    const QByteArray content(3 * 4096 + 7, 'z');
    select(writeFile("job.txt", content));
    click(dlg, IDC_DOWNLOAD);
    ASSERT_EQ(network.peer().sends.size(), 1u);
    EXPECT_EQ(network.peer().sends[0], content);
    EXPECT_EQ(dlg.m_progress->value(), 0);
    EXPECT_EQ(messageTexts(), QStringList{"File download is completed."});
}

TEST_F(FileTransferTest, EditedPathIsWhatDownloadSends)
{
    select(writeFile("first.txt", "first"));
    const QString second = writeFile("second.txt", "second file");
    type(dlg, IDC_FILE_PATH, second);
    click(dlg, IDC_DOWNLOAD);
    EXPECT_EQ(printer->written, "second file");
    EXPECT_EQ(text(dlg, IDC_FILE_NAME), "first.txt");
    EXPECT_EQ(text(dlg, IDC_FILE_SIZE), "5 Bytes");
    ASSERT_EQ(hooks.fileDialogs().size(), 1u);
    EXPECT_EQ(hooks.fileDialogs()[0].filter, kFilter);
    EXPECT_FALSE(hooks.fileDialogs()[0].save);
}

TEST_F(FileTransferTest, RefusalsSendNothing)
{
    // Nothing chosen yet.
    click(dlg, IDC_DOWNLOAD);
    // A chosen file that cannot be opened keeps the state as it was.
    select(dir.filePath("missing.bin"));
    EXPECT_EQ(dlg.m_bFileSelected, 0);
    EXPECT_EQ(text(dlg, IDC_FILE_NAME), "None");
    // Chosen, then deleted before DownLoad.
    const QString path = writeFile("gone.bin", "data");
    select(path);
    QFile::remove(path);
    click(dlg, IDC_DOWNLOAD);
    // Cancelling the file dialog goes back to no file.
    hooks.cancelFileDialog();
    click(dlg, IDC_SELECT_FILE);
    EXPECT_EQ(text(dlg, IDC_FILE_NAME), "None");
    EXPECT_EQ(text(dlg, IDC_FILE_SIZE), "0 Byte");
    EXPECT_EQ(text(dlg, IDC_FILE_PATH), "");
    click(dlg, IDC_DOWNLOAD);

    EXPECT_EQ(messageTexts(), (QStringList{"Please, select a file!", "Can't open file!", "Can't open file!",
                                           "Please, select a file!"}));
    for (const ui::RecordedMessage& m : hooks.messages())
        EXPECT_EQ(m.icon, platform::AlertIcon::Exclamation);
    EXPECT_TRUE(printer->written.isEmpty());
    EXPECT_TRUE(io.timeouts.empty());
}

TEST_F(FileTransferTest, FileTooLargeForMemoryIsRefusedWithNothingSent)
{
    // Sparse: it takes no room on disk.
    const QString path = dir.filePath("huge.bin");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(LinkTransfer::kMaxBytes + 1));
    file.close();
    select(path);
    EXPECT_EQ(text(dlg, IDC_FILE_SIZE), "2147483648 Bytes");
    click(dlg, IDC_DOWNLOAD);
    EXPECT_EQ(messageTexts(), QStringList{"Can't open file!"});
    EXPECT_TRUE(printer->written.isEmpty());
    EXPECT_TRUE(io.timeouts.empty());
    EXPECT_FALSE(g_comm.m_bUsbHold);
}

TEST_F(FileTransferTest, UsbTransferHoldsOneHandleThenReleasesIt)
{
    BuildModelTable();
    ztest::FakeUsbPrinters usb;
    platform::ScopedService<platform::UsbPrinters> usbScope(usb);
    _VANTOPRT_INFO* info = nullptr;
    ASSERT_TRUE(g_modelTable.Lookup(QStringLiteral("PV-9"), info));
    const QString path = QStringLiteral("\\\\?\\usb#vid_%1&pid_%2#F6#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}")
                             .arg(info->m_strVid.toLower(), info->m_strPid.toLower());
    usb.addInterface(path);
    ztest::FakeDevice& device = io.addDevice(path);
    io.addAlias(path + QStringLiteral("\\USB0/4"), path);
    g_comm.Close();
    g_comm.SetPortName(QStringLiteral("USB"));
    g_comm.m_nPortType = PORT_USB;

    select(writeFile("usb.bin", QByteArray(5000, 'u')));
    click(dlg, IDC_DOWNLOAD);
    EXPECT_EQ(device.calls, (QStringList{"open(Shared)", "close()", "open(Exclusive)", "setCommTimeouts()",
                                         "write(4096)", "write(904)", "setCommTimeouts()", "close()"}));
    EXPECT_FALSE(g_comm.m_bUsbHold);
    EXPECT_FALSE(io.isOpen(path));
    ClearModelTable();
}

TEST(LinkTransferTest, WholePiecesThenTheRemainderInOneLastWrite)
{
    struct Case {
        qint64 count;
        int piece;
        std::vector<int> writes;
    };
    const Case cases[] = {
        {8192, 4096, {4096, 4096, 0}},
        {4096, 2048, {2048, 2048, 0}},
        {5000, 4096, {4096, 904}},
        {0, 4096, {0}},
        {100, 2048, {100}},
    };
    const QByteArray data(9000, 'd');
    for (const Case& c : cases) {
        std::vector<int> writes;
        std::vector<qint64> done;
        qint64 offset = 0;
        LinkTransfer::send(
            data.constData(), c.count, c.piece,
            [&](const char* p, int n) {
                EXPECT_EQ(p, data.constData() + offset);
                offset += n;
                writes.push_back(n);
            },
            [&](qint64 d) { done.push_back(d); });
        EXPECT_EQ(writes, c.writes) << c.count;
        EXPECT_EQ(done.size(), static_cast<std::size_t>(c.count / c.piece));
    }
}

TEST(LinkTransferTest, BarScalesPastItsSixteenBitRange)
{
    EXPECT_EQ(LinkTransfer::barRange(0), 1);
    EXPECT_EQ(LinkTransfer::barRange(2), 2);
    EXPECT_EQ(LinkTransfer::barRange(65535), 65535);
    EXPECT_EQ(LinkTransfer::barRange(200000), 65535);
    EXPECT_EQ(LinkTransfer::barPosition(7, 65535), 7);
    EXPECT_EQ(LinkTransfer::barPosition(100000, 200000), 32767);
    EXPECT_EQ(LinkTransfer::barPosition(200000, 200000), 65535);
}

}  // namespace
