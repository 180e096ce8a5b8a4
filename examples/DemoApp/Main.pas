unit Main;

interface

uses
  System.SysUtils, System.Classes, ORVO.Forms, ORVO.Controls, ORVO.Button, ORVO.Image;

type
  TFormMain = class(TqoForm)
    qoImage1: TqoImage;
    qoButton1: TqoButton;
    procedure qoButton1Click(Sender: TObject);
  end;

var
  FormMain: TFormMain;

implementation

{$R *.xfm}

procedure TFormMain.qoButton1Click(Sender: TObject);
begin
  qoImage1.ImageName := 'Avatar';
end;

end.
